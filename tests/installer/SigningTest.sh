#!/bin/sh
# Signing: the build's packaging with a signing command signs the program, the uninstaller and
# the installer, each checked by osslsigncode against a throwaway certificate made here, the
# first two as the installer puts them on disk under Wine; without the command nothing is
# signed. Arguments: see common.sh.
set -eu
. "$(dirname "$0")/common.sh"

openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Tavemark Chronalign test signing" \
    -addext extendedKeyUsage=codeSigning -keyout "$work/key.pem" -out "$work/certificate.pem" \
    2>/dev/null
# osslsigncode cannot sign in place.
cat >"$work/sign.sh" <<EOF
osslsigncode sign -certs "$work/certificate.pem" -key "$work/key.pem" -n "Tavemark Chronalign" \
    -in "\$1" -out "\$1.signed" >/dev/null && mv "\$1.signed" "\$1"
EOF

signed="$work/setup-signed.exe"
make_installer "$signed" "$version" "$architecture" "sh $work/sign.sh \"%1\""
run_installer "$signed"
[ "$status" = 0 ] || fail "the signed installer ended with $status"

installed=$(unix_path "$default_dir")
for file in "$signed" "$installed/Chronalign.exe" "$installed/Uninstall.exe"; do
    echo "osslsigncode verify $(basename "$file"):"
    osslsigncode verify -CAfile "$work/certificate.pem" -in "$file" >"$work/verify.log" 2>&1 ||
        fail "$(basename "$file") is not signed"
    grep -E '^(Signer|Subject|Signature verification|Message digest|Calculated|Succeeded|Failed)' \
        "$work/verify.log" | sed 's/^/    /' || true
    passed "$(basename "$file") is signed"
done

! osslsigncode verify -in "$installer" >/dev/null 2>&1 || fail "the build's installer is signed"
passed "without a signing command nothing is signed"
