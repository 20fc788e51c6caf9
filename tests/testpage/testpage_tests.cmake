# ---- The printed test pages ----------------------------------------------------
# Included from tests/CMakeLists.txt: paths are relative to tests/.

# Unit tests of what needs no printer, plus the pages against a printer that is missing.
set(TESTPAGE_UNIT_SOURCES
    testpage/time_stamp_test.cpp
    testpage/page_lines_test.cpp
    testpage/page_layout_test.cpp
    testpage/page_print_test.cpp
)
add_executable(testpage_unit_tests ${TESTPAGE_UNIT_SOURCES} unit/fake_library.cpp
               ${CMAKE_SOURCE_DIR}/app/app_context.cpp)
target_include_directories(testpage_unit_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(testpage_unit_tests PRIVATE corvane_testpage GTest::gtest_main)
target_compile_options(testpage_unit_tests PRIVATE ${CORVANE_WARNINGS})
set_target_properties(testpage_unit_tests PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
gtest_add_tests(TARGET testpage_unit_tests SOURCES ${TESTPAGE_UNIT_SOURCES}
                WORKING_DIRECTORY ${CMAKE_BINARY_DIR} TEST_PREFIX "testpage." TEST_LIST corvane_testpage_tests)
set_tests_properties(${corvane_testpage_tests} PROPERTIES FIXTURES_REQUIRED wine_session TIMEOUT 60)

# On paper: the probe prints through Wine's PostScript driver into a file, which
# ghostscript turns into text with positions and into a picture.
add_executable(print_probe testpage/print_probe.cpp testpage/print_probe.rc ${CMAKE_SOURCE_DIR}/app/app_context.cpp)
target_link_libraries(print_probe PRIVATE corvane_testpage)
target_compile_options(print_probe PRIVATE $<$<COMPILE_LANGUAGE:CXX>:${CORVANE_WARNINGS}>)
set_target_properties(print_probe PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})

# One printer, one job and one prefix copy per case: testpage.paper.<case>.
#   case | layout | fixture | model | code | checker options
set(TESTPAGE_PAPER_CASES
    "full_a4_xp|full|kyv-a4-600.ppd|0|7|"
    "full_a4_95|full|kyv-a4-600.ppd|1|1|"
    "full_a4_nt4|full|kyv-a4-600.ppd|2|4|"
    "full_a4_unknown|full|kyv-a4-600.ppd|0|14|"
    "full_label_wrap|full|kyv-label-150.ppd|1|8|--expect-wrap"
    "full_a4_draft_win7|full|kyv-a4-150.ppd|0|10|"
    "receipt_xp|receipt|kyv-receipt-203.ppd|0|7|--expect-wrap"
    "receipt_98|receipt|kyv-receipt-203.ppd|1|2|--expect-wrap"
    "receipt_nt4|receipt|kyv-receipt-203.ppd|2|4|--expect-wrap"
    "receipt_xp64|receipt|kyv-receipt-203.ppd|0|8|--expect-wrap"
    "receipt_unknown|receipt|kyv-receipt-203.ppd|0|14|--expect-wrap"
)
foreach(paper_case IN LISTS TESTPAGE_PAPER_CASES)
    string(REPLACE "|" ";" fields "${paper_case}")
    list(GET fields 0 name)
    list(GET fields 1 layout)
    list(GET fields 2 fixture)
    list(GET fields 3 model)
    list(GET fields 4 code)
    list(GET fields 5 options)
    add_test(NAME testpage.paper.${name}
             COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/testpage/paper_test.sh ${CMAKE_BINARY_DIR} ${name} ${layout}
                     ${CMAKE_CURRENT_SOURCE_DIR}/testpage/fixtures/${fixture} ${model} ${code} ${options})
    set_tests_properties(testpage.paper.${name} PROPERTIES FIXTURES_REQUIRED wine_session TIMEOUT 180)
endforeach()
