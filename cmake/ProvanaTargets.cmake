# Build flags travel on interface targets that every project target links
# privately, so each flag is decided in one place.

add_library(provana_warnings INTERFACE)
target_compile_options(provana_warnings INTERFACE
    -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wold-style-cast
    -Wcast-align -Woverloaded-virtual -Wimplicit-fallthrough)
if(PROVANA_WARNINGS_AS_ERRORS)
    target_compile_options(provana_warnings INTERFACE -Werror)
endif()

add_library(provana_sanitizers INTERFACE)
if(PROVANA_SANITIZE OR PROVANA_BUILD_FUZZ)
    set(_provana_san -fsanitize=address,undefined -fno-sanitize-recover=undefined
                     -fno-omit-frame-pointer)
    target_compile_options(provana_sanitizers INTERFACE ${_provana_san})
    target_link_options(provana_sanitizers INTERFACE ${_provana_san})
endif()
if(PROVANA_BUILD_FUZZ)
    # libFuzzer follows coverage through all project code, not only through
    # the fuzz targets' own files; the targets add the fuzzer's main.
    if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
        message(FATAL_ERROR "PROVANA_BUILD_FUZZ needs clang; use the asan preset.")
    endif()
    target_compile_options(provana_sanitizers INTERFACE -fsanitize=fuzzer-no-link)
endif()

# provana_library(NAME [STATIC|SHARED|MODULE] SOURCES ... [QT] LIBS ...)
function(provana_library name)
    cmake_parse_arguments(ARG "QT" "KIND" "SOURCES;LIBS" ${ARGN})
    if(NOT ARG_KIND)
        set(ARG_KIND STATIC)
    endif()
    add_library(${name} ${ARG_KIND} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE provana_warnings provana_sanitizers)
    target_link_libraries(${name} PUBLIC ${ARG_LIBS})
    target_include_directories(${name} PUBLIC "${CMAKE_SOURCE_DIR}/src")
    if(ARG_QT)
        set_target_properties(${name} PROPERTIES AUTOMOC ON)
    endif()
endfunction()

# provana_test(NAME [WIDGETS] SOURCES ... LIBS ...): one test program whose
# cases CTest discovers one by one. WIDGETS tests run inside a QApplication on
# the offscreen platform.
function(provana_test name)
    cmake_parse_arguments(ARG "QT;WIDGETS" "" "SOURCES;LIBS" ${ARGN})
    if(ARG_WIDGETS)
        add_executable(${name} ${ARG_SOURCES} "${CMAKE_SOURCE_DIR}/tests/support/WidgetTestMain.cpp"
                               "${CMAKE_SOURCE_DIR}/tests/support/TestEnvironment.cpp")
        target_link_libraries(${name} PRIVATE GTest::gtest GTest::gmock Qt6::Widgets Qt6::Test)
        set(ARG_QT ON)
    else()
        add_executable(${name} ${ARG_SOURCES} "${CMAKE_SOURCE_DIR}/tests/support/TestEnvironment.cpp")
        target_link_libraries(${name} PRIVATE GTest::gtest GTest::gmock GTest::gtest_main)
    endif()
    target_link_libraries(${name} PRIVATE provana_warnings provana_sanitizers ${ARG_LIBS})
    target_include_directories(${name} PRIVATE "${CMAKE_SOURCE_DIR}/src" "${CMAKE_SOURCE_DIR}/tests")
    if(ARG_QT)
        set_target_properties(${name} PROPERTIES AUTOMOC ON)
    endif()
    gtest_discover_tests(${name}
        WORKING_DIRECTORY "${PROVANA_OUTPUT_DIR}"
        # A test that hangs, or a server that a crashed test left holding its
        # output, fails after minutes instead of holding the whole run.
        # One variable only: a list would reach the tests as its first item.
        # tests/support/TestEnvironment.cpp sets the language.
        PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
                   TIMEOUT 300
        DISCOVERY_TIMEOUT 60)
endfunction()

# The version lives in the project() call only; everything else reads it here.
math(EXPR _provana_minor_patch "${PROJECT_VERSION_PATCH} * 10 + ${PROJECT_VERSION_TWEAK}")
if(_provana_minor_patch LESS 10)
    set(_provana_minor_patch "0${_provana_minor_patch}")
endif()
set(PROVANA_DISPLAY_VERSION "${PROJECT_VERSION_MINOR}.${_provana_minor_patch}")
configure_file("${CMAKE_CURRENT_LIST_DIR}/ProvanaVersion.h.in"
               "${CMAKE_BINARY_DIR}/generated/ProvanaVersion.h" @ONLY)
add_library(provana_version INTERFACE)
target_include_directories(provana_version INTERFACE "${CMAKE_BINARY_DIR}/generated")
