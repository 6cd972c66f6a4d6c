# cmake -DOPENSSL=... -DSAMPLES=<folder> -P tamper_and_hash_samples.cmake
#
# TamperedHelper.dll: SignedHelper.dll with the byte at 0x60, in the DOS
# stub's text, changed: the file still loads, and its signature no longer
# matches it. CMake cannot write a NUL byte, so the bytes go through base64
# text (64 characters, 48 bytes, a line) and openssl.
set(offset 96)
set(work ${SAMPLES}/TamperedHelper)
execute_process(COMMAND ${OPENSSL} base64 -in ${SAMPLES}/SignedHelper.dll -out ${work}.b64
  RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "openssl could not encode SignedHelper.dll")
endif()
file(READ ${work}.b64 text)
# The first of the four characters that hold the byte, past the line ends.
math(EXPR at "${offset} / 3 * 4 + ${offset} / 48")
string(SUBSTRING "${text}" ${at} 1 old)
if(old STREQUAL "A")
  set(new "B")
else()
  set(new "A")
endif()
math(EXPR after "${at} + 1")
string(SUBSTRING "${text}" 0 ${at} head)
string(SUBSTRING "${text}" ${after} -1 tail)
file(WRITE ${work}.b64 "${head}${new}${tail}")
execute_process(COMMAND ${OPENSSL} base64 -d -in ${work}.b64 -out ${SAMPLES}/TamperedHelper.dll
  RESULT_VARIABLE failed)
file(REMOVE ${work}.b64)
if(failed)
  message(FATAL_ERROR "openssl could not decode the changed TamperedHelper.dll")
endif()

set(hashes "")
foreach(name SampleHelper.dll SignedHelper.dll ClaimingHelper.dll TamperedHelper.dll)
  file(SHA256 ${SAMPLES}/${name} hash)
  string(APPEND hashes "${name} ${hash}\n")
endforeach()
file(WRITE ${SAMPLES}/sample_hashes.txt "${hashes}")
