# Run at every build (cmake -P): writes the header that names the sources the
# program was built from, `git describe --always --dirty` of SOURCE_DIR, or
# "unknown" without git or outside a repository. The header is replaced only
# when the text changes, so an unchanged tree recompiles nothing.
#
#   -DSOURCE_DIR=...  -DOUTPUT=<header>  [-DGIT_EXECUTABLE=<git>]
set(description unknown)
if(GIT_EXECUTABLE)
    execute_process(COMMAND "${GIT_EXECUTABLE}" describe --always --dirty
                    WORKING_DIRECTORY "${SOURCE_DIR}"
                    OUTPUT_VARIABLE described RESULT_VARIABLE status
                    OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    if(status EQUAL 0 AND described MATCHES "^[-.0-9A-Za-z_]+$")
        set(description "${described}")
    endif()
endif()
file(CONFIGURE OUTPUT "${OUTPUT}" @ONLY CONTENT [[
#pragma once
// Generated at build time: the sources this program was built from.
inline constexpr const char* kBuildDescription = "@description@";
]])
