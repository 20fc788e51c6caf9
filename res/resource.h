// Every resource id of the wizard: bitmaps, icon and the controls of all pages.
// The templates, the code and the end-to-end tests all speak these names.
#pragma once

// ---- Icon -------------------------------------------------------------------
#define IDI_CORVANE                     1

// ---- Bitmaps ----------------------------------------------------------------
#define IDB_NEXT_NORMAL                 101
#define IDB_NEXT_HIGHLIGHT              102
#define IDB_ABOUT_HIGHLIGHT             103
#define IDB_ABOUT_NORMAL                104
#define IDB_CANCEL_HIGHLIGHT            105   // Cancel images are shared by INTRODUCTION and CONFIGURATION
#define IDB_CANCEL_NORMAL               106
#define IDB_PAGE_INTRODUCTION           107
#define IDB_PAGE_CONFIGURATION          108
#define IDB_PAGE_CONCLUSION             109
#define IDB_INSTALL_HIGHLIGHT           110
#define IDB_INSTALL_NORMAL              111
#define IDB_LABEL_MAKE_DEFAULT          112
#define IDB_LABEL_PRINT_TEST_PAGE       113
#define IDB_PAGE_ABOUT                  115
#define IDB_OK_NORMAL                   116
#define IDB_OK_HIGHLIGHT                117
#define IDB_FINISH_NORMAL               122
#define IDB_FINISH_HIGHLIGHT            123
#define IDB_ANOTHER_NORMAL              124
#define IDB_ANOTHER_HIGHLIGHT           125
#define IDB_BANNER_BUSY                 130
#define IDB_GLYPH_CLOSE                 145
#define IDB_GLYPH_MINIMISE              146
#define IDB_PAGE_REGISTRATION           155
#define IDB_LATER_HIGHLIGHT             156
#define IDB_REGISTER_HIGHLIGHT          157
#define IDB_LATER_NORMAL                158
#define IDB_REGISTER_NORMAL             159

// ---- Controls shared between pages -------------------------------------------
// The glyphs carry the same ids on every page so the chrome can treat them alike.
#define IDC_GLYPH_MINIMISE              1055
#define IDC_GLYPH_CLOSE                 1056
// 1013 is the highlighted Next button on INTRODUCTION and, by the same number,
// the read-only "Test Page" field on CONCLUSION; the two never share a page.
#define IDC_NEXT_HIGHLIGHT_OR_TESTPAGE_FIELD 1013

// ---- INTRODUCTION -----------------------------------------------------------
#define IDC_INTRO_NEXT_NORMAL           1001
#define IDC_INTRO_NEXT_HIGHLIGHT        IDC_NEXT_HIGHLIGHT_OR_TESTPAGE_FIELD
#define IDC_INTRO_CANCEL_HIGHLIGHT      1002
#define IDC_INTRO_CANCEL_NORMAL         1003
#define IDC_INTRO_ABOUT_HIGHLIGHT       1004
#define IDC_INTRO_ABOUT_NORMAL          1005
#define IDC_INTRO_ARTWORK               1007

// ---- ABOUT ------------------------------------------------------------------
#define IDC_ABOUT_OK_NORMAL             1022
#define IDC_ABOUT_OK_HIGHLIGHT          1023

// ---- CONFIGURATION ----------------------------------------------------------
#define IDC_CONFIG_NAME_EDIT            1010
#define IDC_CONFIG_DEFAULT_CHECK        1011
#define IDC_CONFIG_TESTPAGE_CHECK       1012
#define IDC_CONFIG_INSTALL_HIGHLIGHT    1014
#define IDC_CONFIG_INSTALL_NORMAL       1015
#define IDC_CONFIG_CANCEL_NORMAL        1016
#define IDC_CONFIG_CANCEL_HIGHLIGHT     1017
#define IDC_CONFIG_MODEL_LIST           1020
#define IDC_CONFIG_ARTWORK              1021
#define IDC_CONFIG_BANNER               1052
#define IDC_CONFIG_DEFAULT_LABEL        1053
#define IDC_CONFIG_TESTPAGE_LABEL       1054
#define IDC_CONFIG_PORT_LIST            1061

// ---- REGISTRATION -----------------------------------------------------------
#define IDC_REG_ARTWORK                 1067
#define IDC_REG_REGISTER_HIGHLIGHT      1069
#define IDC_REG_REGISTER_NORMAL         1070
#define IDC_REG_LATER_HIGHLIGHT         1071
#define IDC_REG_LATER_NORMAL            1072

// ---- CONCLUSION -------------------------------------------------------------
#define IDC_CONCL_ARTWORK               1039
#define IDC_CONCL_FINISH_NORMAL         1040
#define IDC_CONCL_FINISH_HIGHLIGHT      1041
#define IDC_CONCL_ANOTHER_NORMAL        1042
#define IDC_CONCL_ANOTHER_HIGHLIGHT     1043
#define IDC_CONCL_PRINTER_FIELD         1044
#define IDC_CONCL_MODEL_FIELD           1045
#define IDC_CONCL_DEFAULT_FIELD         1046
#define IDC_CONCL_PORT_FIELD            1047
#define IDC_CONCL_TESTPAGE_FIELD        IDC_NEXT_HIGHLIGHT_OR_TESTPAGE_FIELD
