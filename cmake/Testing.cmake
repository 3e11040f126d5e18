# Test helpers. On Windows builds every test program runs under Wine in this
# build tree's own prefix and virtual display, made once by a fixture.

set(QM_WINE_ROOT ${CMAKE_BINARY_DIR}/wine)
set(QM_WINE_ENV ${CMAKE_SOURCE_DIR}/tools/wine-env.sh)

if(WIN32)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${QM_WINE_ENV} run ${QM_WINE_ROOT})
    add_test(NAME wine_environment_up COMMAND ${QM_WINE_ENV} up ${QM_WINE_ROOT})
    add_test(NAME wine_environment_down COMMAND ${QM_WINE_ENV} down ${QM_WINE_ROOT})
    set_tests_properties(wine_environment_up PROPERTIES FIXTURES_SETUP wine)
    set_tests_properties(wine_environment_down PROPERTIES FIXTURES_CLEANUP wine)

    # A 64-bit prefix beside the 32-bit one, where the same 32-bit programs run as
    # they do on 64-bit Windows, for the tests marked WINE64.
    add_test(NAME wine64_environment_up COMMAND ${QM_WINE_ENV} up ${QM_WINE_ROOT})
    add_test(NAME wine64_environment_down COMMAND ${QM_WINE_ENV} down ${QM_WINE_ROOT})
    set_tests_properties(wine64_environment_up wine64_environment_down
        PROPERTIES ENVIRONMENT "QM_WINEARCH=win64")
    set_tests_properties(wine64_environment_up PROPERTIES FIXTURES_SETUP wine64)
    set_tests_properties(wine64_environment_down PROPERTIES FIXTURES_CLEANUP wine64)
endif()

# qm_add_test(name SOURCES ... LIBRARIES ... [WINDOW] [WINE64])
# One GoogleTest program, one CTest test. WINDOW marks tests that drive real
# windows: under Wine they share the display and the prefix's system folder, so
# they run one at a time and never beside another test that writes there.
# WINE64 runs the (32-bit) program in the 64-bit prefix instead of the 32-bit one.
function(qm_add_test name)
    cmake_parse_arguments(ARG "WINDOW;WINE64" "" "SOURCES;LIBRARIES" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBRARIES} GTest::gmock GTest::gtest_main)
    add_test(NAME ${name} COMMAND ${name} --gtest_color=no)
    if(WIN32)
        if(ARG_WINE64)
            # The emulator command reads QM_WINEARCH and picks the prefix by it.
            set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED wine64 TIMEOUT 300
                ENVIRONMENT "QM_WINE_ROOT=${QM_WINE_ROOT};QM_WINEARCH=win64")
        else()
            set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED wine TIMEOUT 300
                ENVIRONMENT "QM_WINE_ROOT=${QM_WINE_ROOT}")
        endif()
        if(ARG_WINDOW)
            set_tests_properties(${name} PROPERTIES RESOURCE_LOCK "display;system_folder")
        endif()
        target_link_options(${name} PRIVATE -mconsole)
    endif()
endfunction()
