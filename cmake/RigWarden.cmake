# Shared helpers of the build.

# Where the program folder's files go, relative to the install prefix.
set(RW_BIN_DIR ".")
set(RW_PLUGIN_DIR "plugins")

# rw_add_test(NAME <name> SOURCES ... [LIBS ...] [LABELS unit|integration|e2e] [TIMEOUT s] [GUI])
# One Qt Test executable per area. GUI tests run on the offscreen platform unless labelled e2e
# (those start their own Xvfb). RW_BUILD_DIR and RW_SOURCE_DIR tell a test where things are.
function(rw_add_test)
    cmake_parse_arguments(T "GUI" "NAME;TIMEOUT" "SOURCES;LIBS;LABELS" ${ARGN})
    if(NOT T_TIMEOUT)
        set(T_TIMEOUT 120)
    endif()
    if(NOT T_LABELS)
        set(T_LABELS unit)
    endif()
    add_executable(${T_NAME} ${T_SOURCES})
    target_link_libraries(${T_NAME} PRIVATE Qt5::Test ${T_LIBS})
    # The helpers every area shares.
    target_include_directories(${T_NAME} PRIVATE ${CMAKE_SOURCE_DIR}/tests/support)
    target_compile_definitions(${T_NAME} PRIVATE
        RW_BUILD_DIR="${CMAKE_BINARY_DIR}" RW_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
    add_test(NAME ${T_NAME} COMMAND ${T_NAME})
    set(env "QT_QPA_PLATFORM=offscreen" "RW_ARTEFACTS=${CMAKE_BINARY_DIR}/artefacts")
    if("e2e" IN_LIST T_LABELS)
        set(env "RW_ARTEFACTS=${CMAKE_BINARY_DIR}/artefacts")
    endif()
    if(RW_SANITIZE)
        # Undefined behaviour fails the test like a memory error does.
        list(APPEND env "LSAN_OPTIONS=suppressions=${CMAKE_SOURCE_DIR}/cmake/lsan.supp"
            "UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1")
    endif()
    set_tests_properties(${T_NAME} PROPERTIES
        LABELS "${T_LABELS}" TIMEOUT ${T_TIMEOUT} ENVIRONMENT "${env}")
endfunction()
