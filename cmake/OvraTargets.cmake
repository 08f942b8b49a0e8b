# Compiler settings shared by every target of the project.

function(ovra_warnings target)
    target_compile_options(${target} PRIVATE
        -Wall -Wextra -Wpedantic -Wfloat-conversion -Woverloaded-virtual -Wformat=2
        -Wno-missing-field-initializers)
    if(OVRA_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
endfunction()

set(OVRA_SANITIZER_FLAGS "")
if(OVRA_FUZZ)
    if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
        message(FATAL_ERROR "OVRA_FUZZ needs clang: -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++")
    endif()
    # Our code is instrumented for libFuzzer's coverage and the sanitizers;
    # only the fuzz targets link libFuzzer itself (fuzz/CMakeLists.txt).
    set(OVRA_SANITIZER_FLAGS -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined
        -fno-omit-frame-pointer)
elseif(OVRA_SANITIZE)
    set(OVRA_SANITIZER_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
elseif(OVRA_TSAN)
    set(OVRA_SANITIZER_FLAGS -fsanitize=thread -fno-omit-frame-pointer)
endif()

function(ovra_sanitize target)
    if(OVRA_SANITIZER_FLAGS)
        target_compile_options(${target} PRIVATE ${OVRA_SANITIZER_FLAGS})
        target_link_options(${target} PRIVATE ${OVRA_SANITIZER_FLAGS})
    endif()
endfunction()

# Qt's test library defines the folders of each test target as macros; they
# differ per folder and would make a shared precompiled header unusable. The
# tests find their files through OVRA_TEST_SOURCE_DIR instead.
function(ovra_test_pch_compatible target)
    target_compile_options(${target} PRIVATE -UQT_TESTCASE_BUILDDIR -UQT_TESTCASE_SOURCEDIR)
endfunction()

# ovra_add_test(NAME name SOURCES ... [LIBS ...] [GUI] [LABELS ...])
# Every test runs under the offscreen platform with its own settings and data
# locations, so a test never touches the operator's real configuration.
# GUI tests link ovra_gui; the others link only ovra_core and carry the label
# "core" so that the sanitizer build can run exactly them.
function(ovra_add_test)
    cmake_parse_arguments(T "GUI" "NAME;TIMEOUT" "SOURCES;LIBS;LABELS" ${ARGN})
    if(T_GUI AND OVRA_CORE_ONLY)
        return()
    endif()
    add_executable(${T_NAME} ${T_SOURCES})
    if(T_GUI)
        target_link_libraries(${T_NAME} PRIVATE ovra_gui ovra_testsupport_gui)
        set(_labels gui)
    else()
        target_link_libraries(${T_NAME} PRIVATE ovra_core ovra_testsupport)
        set(_labels core)
    endif()
    target_link_libraries(${T_NAME} PRIVATE Qt6::Test ${T_LIBS})
    target_include_directories(${T_NAME} PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tests)
    ovra_warnings(${T_NAME})
    ovra_sanitize(${T_NAME})
    # The support library's precompiled header serves every test: built
    # once instead of once per executable (ovra_test_pch_compatible).
    ovra_test_pch_compatible(${T_NAME})
    if(T_GUI)
        target_precompile_headers(${T_NAME} REUSE_FROM ovra_testsupport_gui)
    else()
        target_precompile_headers(${T_NAME} REUSE_FROM ovra_testsupport)
    endif()
    add_test(NAME ${T_NAME} COMMAND ${T_NAME})
    if(NOT T_TIMEOUT)
        set(T_TIMEOUT 300)
    endif()
    set_tests_properties(${T_NAME} PROPERTIES
        LABELS "${_labels};${T_LABELS}"
        TIMEOUT ${T_TIMEOUT}
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;OVRA_TEST_SOURCE_DIR=${PROJECT_SOURCE_DIR};OVRA_TEST_BINARY_DIR=${PROJECT_BINARY_DIR};ASAN_OPTIONS=detect_leaks=0;UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1")
endfunction()
