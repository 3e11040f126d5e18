# Runs a fuzzer on a fresh working corpus beside its seeds, so that one run does
# not start from the inputs an earlier run kept.
#
#   cmake -DFUZZER=path -DSEEDS=folder -DWORK=folder -DOPTIONS="-runs=..." -P run_fuzzer.cmake

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
separate_arguments(options UNIX_COMMAND "${OPTIONS}")
execute_process(COMMAND ${FUZZER} ${options} ${WORK} ${SEEDS} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "${FUZZER} failed: ${result}")
endif()
