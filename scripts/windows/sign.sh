#!/usr/bin/env bash
# Signs Windows programs and DLLs in place with an Authenticode signature (osslsigncode, SHA-256),
# with a key that a PKCS#11 module holds: a hardware token, a cloud signing service's module, or
# in CI SoftHSM with a test key. The key never leaves the module; this script and the repository
# only name it. Set up by the environment:
#   LOTO6_SIGN_PKCS11_MODULE  the module (.so), e.g. opensc-pkcs11.so or the service's library
#   LOTO6_SIGN_KEY            the key's PKCS#11 URI, e.g. "pkcs11:token=Pelmora;object=codesign"
#   LOTO6_SIGN_CERT           the signing certificate and the CA's intermediates (PEM)
#   LOTO6_SIGN_PIN            the PIN, when the module asks for one (read from a pipe, never
#                             put on a command line)
#   LOTO6_SIGN_TIMESTAMP_URL  an RFC 3161 time-stamping server (optional; none: no timestamp,
#                             and the signature is trusted only while the certificate is valid)
#   scripts/windows/sign.sh <file>...
set -euo pipefail
for variable in LOTO6_SIGN_PKCS11_MODULE LOTO6_SIGN_KEY LOTO6_SIGN_CERT; do
    [ -n "${!variable:-}" ] || { echo "sign: $variable is not set" >&2; exit 2; }
done
command -v osslsigncode >/dev/null || { echo "sign: osslsigncode is not installed" >&2; exit 2; }

options=(-pkcs11module "$LOTO6_SIGN_PKCS11_MODULE" -key "$LOTO6_SIGN_KEY"
         -certs "$LOTO6_SIGN_CERT" -h sha256 -n "ロト６ヨルネ")
[ -n "${LOTO6_SIGN_TIMESTAMP_URL:-}" ] && options+=(-ts "$LOTO6_SIGN_TIMESTAMP_URL")
# sign <file> [option...]: the signed copy beside the file.
sign() {
    local file=$1
    shift
    osslsigncode sign "${options[@]}" "$@" -in "$file" -out "$file.signed" >/dev/null
}
for file in "$@"; do
    rm -f "$file.signed"
    status=0
    if [ -n "${LOTO6_SIGN_PIN:-}" ]; then
        sign "$file" -readpass <(printf '%s' "$LOTO6_SIGN_PIN") || status=$?
    else
        sign "$file" || status=$?
    fi
    if [ $status -ne 0 ]; then
        rm -f "$file.signed"
        echo "sign: FAILED: $file" >&2
        exit 1
    fi
    mv "$file.signed" "$file"
done
