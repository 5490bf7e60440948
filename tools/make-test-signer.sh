#!/usr/bin/env bash
# Makes a throwaway CA (ca.crt) and a code-signing certificate issued by it (signer.crt with its
# key signer.key) in the current folder, for tests that sign programs with osslsigncode.
set -euo pipefail

openssl req -x509 -newkey rsa:2048 -nodes -keyout ca.key -out ca.crt -days 2 \
  -subj "/CN=XA Test CA" -addext "basicConstraints=critical,CA:TRUE" \
  -addext "keyUsage=critical,keyCertSign" 2>/dev/null
openssl req -newkey rsa:2048 -nodes -keyout signer.key -out signer.csr \
  -subj "/CN=XA Test Publisher" 2>/dev/null
printf '%s\n' "basicConstraints=CA:FALSE" "keyUsage=critical,digitalSignature" \
  "extendedKeyUsage=codeSigning" >signer.ext
openssl x509 -req -in signer.csr -CA ca.crt -CAkey ca.key -CAcreateserial -out signer.crt \
  -days 2 -extfile signer.ext 2>/dev/null
