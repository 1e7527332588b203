# lotmark_add_test(NAME SOURCES file... [LIBS lib...] [TIMEOUT seconds])
# One Qt Test executable per test class, run headless with a pinned locale.
function(lotmark_add_test name)
    cmake_parse_arguments(ARG "" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
    if(NOT ARG_TIMEOUT)
        set(ARG_TIMEOUT 120)
    endif()
    if(LOTMARK_SANITIZE)
        # Sanitized code runs a few times slower.
        math(EXPR ARG_TIMEOUT "${ARG_TIMEOUT} * 4")
    endif()
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE lotmark_test_support Qt6::Test ${ARG_LIBS})
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES
        TIMEOUT ${ARG_TIMEOUT}
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8;LANG=C.UTF-8;LOTMARK_SHARED=${CMAKE_SOURCE_DIR}/../shared;LOTMARK_TEST_DATA=${CMAKE_SOURCE_DIR}/tests/data")
endfunction()
