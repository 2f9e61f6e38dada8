# Configures the project again from a path below a folder named "tests" (a
# link to the source tree), as a checkout there would be: the build must not
# depend on where the checkout lies.
# Usage: cmake -DSOURCE=<source tree> -DWORK=<scratch folder> -P ConfigureElsewhere.cmake
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/tests)
file(CREATE_LINK ${SOURCE} ${WORK}/tests/velkors SYMBOLIC)
execute_process(COMMAND ${CMAKE_COMMAND} -S ${WORK}/tests/velkors -B ${WORK}/build -DVELK_BENCHMARKS=OFF
                RESULT_VARIABLE result OUTPUT_QUIET ERROR_VARIABLE errors)
file(REMOVE_RECURSE ${WORK})
if(NOT result EQUAL 0)
  message(FATAL_ERROR "Configuring from below a folder named tests failed:\n${errors}")
endif()
