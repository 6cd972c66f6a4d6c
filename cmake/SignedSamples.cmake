# The sample helper object signed and unsigned, for the end-to-end tests of
# the signature verdicts: made at build time with a throwaway certificate
# authority that openssl makes in the build folder (no key is kept in the
# repository) and signed with osslsigncode (Debian packages openssl and
# osslsigncode).
find_program(QB_OPENSSL openssl REQUIRED)
find_program(QB_OSSLSIGNCODE osslsigncode REQUIRED)

# The same DLL whose version resource names another publisher.
add_library(sample_claiming SHARED samples/sample_helper.cpp samples/sample_helper.rc)
target_compile_definitions(sample_claiming PRIVATE QB_SAMPLE_CLAIMS_TEST_PUBLISHER)
set_target_properties(sample_claiming PROPERTIES OUTPUT_NAME ClaimingHelper PREFIX ""
  RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/samples/unsigned)
target_link_options(sample_claiming PRIVATE -static)

set(qb_ca ${CMAKE_BINARY_DIR}/signing)
set(qb_samples ${CMAKE_BINARY_DIR}/samples)
file(WRITE ${qb_ca}/leaf.ext
  "basicConstraints=CA:FALSE\nkeyUsage=critical,digitalSignature\nextendedKeyUsage=codeSigning\n")
add_custom_command(
  OUTPUT ${qb_ca}/leaf.crt ${qb_ca}/leaf.key ${qb_ca}/ca.crt
  COMMAND ${QB_OPENSSL} req -x509 -newkey rsa:2048 -nodes -days 3650 -keyout ca.key -out ca.crt
    -subj "/CN=Quellbright Throwaway Test Root" -addext "basicConstraints=critical,CA:TRUE"
    -addext "keyUsage=critical,keyCertSign,cRLSign"
  COMMAND ${QB_OPENSSL} req -newkey rsa:2048 -nodes -keyout leaf.key -out leaf.csr
    -subj "/O=Tarnwick Sample Works Ltd/CN=Tarnwick Sample Works Ltd"
  COMMAND ${QB_OPENSSL} x509 -req -in leaf.csr -CA ca.crt -CAkey ca.key -CAcreateserial -days 3650
    -extfile leaf.ext -out leaf.crt
  WORKING_DIRECTORY ${qb_ca}
  COMMENT "Making a throwaway code-signing certificate"
  VERBATIM
)

function(qb_sign_sample target output)
  add_custom_command(
    OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -E rm -f ${output}
    COMMAND ${QB_OSSLSIGNCODE} sign -certs ${qb_ca}/leaf.crt -ac ${qb_ca}/ca.crt
      -key ${qb_ca}/leaf.key -h sha256 -n "Quellbright sample helper object"
      -in $<TARGET_FILE:${target}> -out ${output}
    DEPENDS ${target} ${qb_ca}/leaf.crt
    COMMENT "Signing ${output}"
    VERBATIM
  )
endfunction()
qb_sign_sample(sample_helper ${qb_samples}/SignedHelper.dll)
qb_sign_sample(sample_claiming ${qb_samples}/ClaimingHelper.dll)

# A signed file with one byte of its DOS stub changed afterwards, and the
# SHA-256 of each sample as CMake computes it, for the tests to compare.
add_custom_command(
  OUTPUT ${qb_samples}/TamperedHelper.dll ${qb_samples}/sample_hashes.txt
  COMMAND ${CMAKE_COMMAND} -DOPENSSL=${QB_OPENSSL} -DSAMPLES=${qb_samples}
    -P ${PROJECT_SOURCE_DIR}/cmake/tamper_and_hash_samples.cmake
  DEPENDS ${qb_samples}/SignedHelper.dll ${qb_samples}/ClaimingHelper.dll sample_helper
    ${PROJECT_SOURCE_DIR}/cmake/tamper_and_hash_samples.cmake
  COMMENT "Changing a signed sample, and hashing the samples"
  VERBATIM
)
add_custom_target(signed_samples ALL DEPENDS ${qb_samples}/TamperedHelper.dll
  ${qb_samples}/sample_hashes.txt)
