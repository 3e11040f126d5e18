# Test helpers. On Windows builds every test program runs under Wine in one of
# this build tree's own prefixes and virtual displays, made once by a fixture.

set(QM_WINE_ROOT ${CMAKE_BINARY_DIR}/wine)
set(QM_WINE_ENV ${CMAKE_SOURCE_DIR}/tools/wine-env.sh)

if(WIN32)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${QM_WINE_ENV} run ${QM_WINE_ROOT})

    # The program ships as a 32-bit build and is tested in a 32-bit Windows XP
    # prefix. A 64-bit build of the same sources exists only for machines that
    # cannot run 32-bit programs; its tests run in a 64-bit prefix that reports
    # Windows XP x64, the 64-bit Windows of the same kind.
    if(CMAKE_SIZEOF_VOID_P EQUAL 8)
        set(QM_WINE_DEFAULT_ARCH win64)
        set(QM_WINE_DEFAULT_VERSION winxp64)
    else()
        set(QM_WINE_DEFAULT_ARCH win32)
        set(QM_WINE_DEFAULT_VERSION winxp)
    endif()

    # qm_wine_fixture(fixture arch version): a prefix of that kind, made and
    # started by a setup test that also checks the face the dialogs are drawn with.
    function(qm_wine_fixture fixture arch version)
        set(env "QM_WINEARCH=${arch};QM_WINEVERSION=${version}")
        add_test(NAME ${fixture}_environment_up COMMAND ${QM_WINE_ENV} up ${QM_WINE_ROOT})
        add_test(NAME ${fixture}_dialog_face
                 COMMAND ${QM_WINE_ENV} run ${QM_WINE_ROOT} $<TARGET_FILE:dialog_face_check>)
        add_test(NAME ${fixture}_environment_down COMMAND ${QM_WINE_ENV} down ${QM_WINE_ROOT})
        set_tests_properties(${fixture}_environment_up ${fixture}_dialog_face
                             ${fixture}_environment_down PROPERTIES ENVIRONMENT "${env}" LABELS wine)
        set_tests_properties(${fixture}_environment_up ${fixture}_dialog_face
                             PROPERTIES FIXTURES_SETUP ${fixture})
        set_tests_properties(${fixture}_dialog_face PROPERTIES DEPENDS ${fixture}_environment_up)
        set_tests_properties(${fixture}_environment_down PROPERTIES FIXTURES_CLEANUP ${fixture})
    endfunction()

    qm_wine_fixture(wine ${QM_WINE_DEFAULT_ARCH} ${QM_WINE_DEFAULT_VERSION})
    # 64-bit Windows as people run it today, where the programs of the 32-bit
    # build run as they do on 64-bit Windows.
    qm_wine_fixture(wine64 win64 win10)
    # Windows 7 in a prefix of the default kind.
    qm_wine_fixture(wine_win7 ${QM_WINE_DEFAULT_ARCH} win7)
endif()

# qm_wine_test(test [WINE64 | WIN7]): runs a test under Wine, in the default
# prefix unless WINE64 (64-bit Windows 10) or WIN7 (Windows 7) asks for another.
function(qm_wine_test test)
    cmake_parse_arguments(ARG "WINE64;WIN7" "" "" ${ARGN})
    if(ARG_WINE64)
        set(fixture wine64)
        set(kind "QM_WINEARCH=win64;QM_WINEVERSION=win10")
    elseif(ARG_WIN7)
        set(fixture wine_win7)
        set(kind "QM_WINEARCH=${QM_WINE_DEFAULT_ARCH};QM_WINEVERSION=win7")
    else()
        set(fixture wine)
        set(kind "QM_WINEARCH=${QM_WINE_DEFAULT_ARCH};QM_WINEVERSION=${QM_WINE_DEFAULT_VERSION}")
    endif()
    # The emulator command reads QM_WINEARCH and QM_WINEVERSION and picks the prefix by them.
    set_tests_properties(${test} PROPERTIES FIXTURES_REQUIRED ${fixture} TIMEOUT 300
                         ENVIRONMENT "QM_WINE_ROOT=${QM_WINE_ROOT};${kind}")
    set_property(TEST ${test} APPEND PROPERTY LABELS wine)
endfunction()

# qm_add_test(name SOURCES ... LIBRARIES ... [WINDOW] [WINE64 | WIN7])
# One GoogleTest program, one CTest test. WINDOW marks tests that drive real
# windows: under Wine they share the display and the prefix's system folder, so
# they run one at a time and never beside another test that writes there.
# WINE64 runs the program in the 64-bit Windows 10 prefix, WIN7 in the Windows 7
# one, instead of the default prefix.
function(qm_add_test name)
    cmake_parse_arguments(ARG "WINDOW;WINE64;WIN7" "" "SOURCES;LIBRARIES" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBRARIES} GTest::gmock GTest::gtest_main)
    add_test(NAME ${name} COMMAND ${name} --gtest_color=no)
    if(WIN32)
        set(kind)
        if(ARG_WINE64)
            set(kind WINE64)
        elseif(ARG_WIN7)
            set(kind WIN7)
        endif()
        qm_wine_test(${name} ${kind})
        if(ARG_WINDOW)
            set_tests_properties(${name} PROPERTIES RESOURCE_LOCK "display;system_folder")
        endif()
        target_link_options(${name} PRIVATE -mconsole)
    endif()
endfunction()
