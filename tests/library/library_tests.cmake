# The companion library Corvane.dll: unit tests of its window-free logic, and cases
# that run the real library under Wine, each in its own copy of the test prefix.
# Included from tests/CMakeLists.txt (CMAKE_CURRENT_SOURCE_DIR is tests/).

if(NOT TARGET corvane_library)
    return()
endif()

# ---- Unit tests -------------------------------------------------------------
set(CORVANE_LIBRARY_UNIT_SOURCES
    library/version_map_test.cpp
    library/record_check_test.cpp
    library/record_fuzz_test.cpp
    library/spooler_errors_test.cpp
    library/file_names_test.cpp
)
add_executable(library_unit_tests ${CORVANE_LIBRARY_UNIT_SOURCES})
target_link_libraries(library_unit_tests PRIVATE corvane_library_logic GTest::gtest_main)
target_compile_options(library_unit_tests PRIVATE ${CORVANE_WARNINGS})
set_target_properties(library_unit_tests PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})

include(GoogleTest)
gtest_add_tests(TARGET library_unit_tests SOURCES ${CORVANE_LIBRARY_UNIT_SOURCES}
                WORKING_DIRECTORY ${CMAKE_BINARY_DIR} TEST_PREFIX "library." TEST_LIST corvane_library_unit_tests)
set_tests_properties(${corvane_library_unit_tests} PROPERTIES FIXTURES_REQUIRED wine_session TIMEOUT 60)

# ---- The real library under Wine ---------------------------------------------
# library_probe.exe imports Corvane.dll and finds it beside itself in the build tree.
add_executable(library_probe library/library_probe.cpp)
target_link_libraries(library_probe PRIVATE corvane_library corvane_core winspool)
target_compile_options(library_probe PRIVATE ${CORVANE_WARNINGS})
set_target_properties(library_probe PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})

# Each case runs in its own copy of the template prefix (tools/fresh-prefix.sh), so
# the cases may run in parallel with each other and with every other test.
set(CORVANE_LIBRARY_WINE_CASES
    os_win95 os_win98 os_winme os_nt40 os_win2k os_winxp os_win2003 os_vista os_win7 os_win8
    os_win10 os_nt351
    nt_install nt_install_nt40 nt_again nt_missing_file malformed
    w95_install w95_nt_spooler w95_gpd_count
)
foreach(case IN LISTS CORVANE_LIBRARY_WINE_CASES)
    add_test(NAME library.wine.${case}
             COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/library/run-wine-case.sh ${CMAKE_BINARY_DIR} ${case})
    set_tests_properties(library.wine.${case} PROPERTIES FIXTURES_REQUIRED wine_session TIMEOUT 120)
endforeach()
