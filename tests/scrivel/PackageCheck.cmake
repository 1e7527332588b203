# Installs Scrivel from BUILD_DIR into a fresh prefix, builds the consumer project against it
# and runs it. Called by ctest with -DBUILD_DIR= -DCONSUMER_DIR= -DWORK_DIR= -DGENERATOR=.
file(REMOVE_RECURSE ${WORK_DIR})
set(prefix ${WORK_DIR}/prefix)

function(step)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "${ARGN}\nfailed (${result}):\n${out}\n${err}")
    endif()
endfunction()

# The library itself ships with the program; the headers and the CMake package are the dev part.
step(${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix} --component lotmark)
step(${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix} --component dev)
foreach(header RTFDoc.h ImageFile.h ScrivelError.h ScrivelExport.h)
    if(NOT EXISTS ${prefix}/include/scrivel/${header})
        message(FATAL_ERROR "scrivel/${header} was not installed")
    endif()
endforeach()
step(${CMAKE_COMMAND} -S ${CONSUMER_DIR} -B ${WORK_DIR}/build -G ${GENERATOR} -DCMAKE_PREFIX_PATH=${prefix}
     -DCMAKE_BUILD_TYPE=Release)
step(${CMAKE_COMMAND} --build ${WORK_DIR}/build)
step(${WORK_DIR}/build/consumer ${WORK_DIR}/consumer.rtf)
file(READ ${WORK_DIR}/consumer.rtf rtf)
if(NOT rtf MATCHES "consumer \\\\par}")
    message(FATAL_ERROR "the consumer's RTF lacks its text")
endif()
