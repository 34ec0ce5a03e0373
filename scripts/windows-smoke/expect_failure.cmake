# Runs a test program that fails on purpose and passes only when it really
# ran and its failure came back: a non-zero exit status through wine, and
# gtest's report of the failed test in the output. (A program that could
# not start at all also exits non-zero, so the status alone proves little.)
#
#   cmake -DEMULATOR=... -DPROGRAM=... -DEXPECT=regex -P expect_failure.cmake
execute_process(COMMAND ${EMULATOR} ${PROGRAM}
  RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
message("${output}")
if(status EQUAL 0)
  message(FATAL_ERROR "${PROGRAM} exited 0 although its test fails")
endif()
if(NOT output MATCHES "${EXPECT}")
  message(FATAL_ERROR "${PROGRAM} exited ${status} without reporting the failure (${EXPECT})")
endif()
message("failure reported as expected (exit status ${status})")
