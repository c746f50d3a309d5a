// Numeric ids of Velastro's resources and dialog controls, shared by the C++ code and velastro.rc.
// Plain #defines only: no types, no includes, so the resource compiler and both hosts can read it.
#pragma once

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

// Dialog templates, icon, string, window-menu command.
#define IDD_ABOUTBOX 100
#define IDD_VELASTRO_DIALOG 135
#define IDR_MAINFRAME 163
#define IDS_ABOUTBOX 101
#define IDM_ABOUTBOX 0x0010

// Manifest and version record.
#define IDR_MANIFEST 1
#define IDR_VERSION 1

// Bitmaps of the main window.
#define IDB_HEAD_ANSWER 148
#define IDB_HEAD_SHAPE 149
#define IDB_HEAD_DIMENSIONS 150
#define IDB_RECTANGLE 168
#define IDB_HEART 169
#define IDB_MARQUISE 170
#define IDB_OVAL 171
#define IDB_PEAR 172
#define IDB_ROUND 174
#define IDB_SQUARE 175
#define IDB_TRIANGLE 176
#define IDB_BANNER 190
#define IDB_ANSWER_FRAME 191
#define IDB_BOTTOM_BAND 193
#define IDB_ROUND_SEL 194
#define IDB_OVAL_SEL 195
#define IDB_SQUARE_SEL 196
#define IDB_RECTANGLE_SEL 197
#define IDB_MARQUISE_SEL 198
#define IDB_PEAR_SEL 199
#define IDB_TRIANGLE_SEL 200
#define IDB_HEART_SEL 201
#define IDB_ARROW 202
#define IDB_ABOUT 204
#define IDB_LOWER_RIGHT 205

// Formula workbench keys (hidden keypad).
#define IDC_DELETE 103
#define IDC_SAVE 104
#define IDC_LOAD 105
#define IDC_KEY_SIN 106
#define IDC_KEY_ARCSIN 107
#define IDC_KEY_SINH 108
#define IDC_KEY_ARSINH 109
#define IDC_KEY_COS 110
#define IDC_KEY_ARCCOS 111
#define IDC_KEY_COSH 112
#define IDC_KEY_ARCOSH 113
#define IDC_KEY_TAN 114
#define IDC_KEY_ARCTAN 115
#define IDC_KEY_TANH 116
#define IDC_KEY_ARTANH 117
#define IDC_KEY_EXP 118
#define IDC_KEY_LN 119
#define IDC_KEY_INT 120
#define IDC_KEY_ABS 121
#define IDC_KEY_TEN_POWER 122
#define IDC_KEY_LOG 123
#define IDC_KEY_RAD 124
#define IDC_KEY_DEG 125
#define IDC_KEY_SQUARE 126
#define IDC_KEY_SQR 127
#define IDC_KEY_X 130
#define IDC_KEY_OPEN_PAREN 131
#define IDC_KEY_CLOSE_PAREN 132
#define IDC_KEY_DIVIDE 133
#define IDC_KEY_MULTIPLY 134
#define IDC_UNDO 135
#define IDC_KEY_LENGTH 136
#define IDC_KEY_EMERALD 137
#define IDC_KEY_MINUS 138
#define IDC_KEY_PLUS 142
#define IDC_KEY_POINT 147
#define IDC_KEY_POWER 148
#define IDC_DIGIT0 500
#define IDC_DIGIT1 501
#define IDC_DIGIT2 502
#define IDC_DIGIT3 503
#define IDC_DIGIT4 504
#define IDC_DIGIT5 505
#define IDC_DIGIT6 506
#define IDC_DIGIT7 507
#define IDC_DIGIT8 508
#define IDC_DIGIT9 509

// Shape buttons; their ids do not follow the row order.
#define IDC_SQUARE_TRILLION 139
#define IDC_ROUND_BRILLIANT 140
#define IDC_OVAL_BRILLIANT 141
#define IDC_HEART_BRILLIANT 143
#define IDC_RECTANGLE 144
#define IDC_MARQUISE_BRILLIANT 145
#define IDC_PEAR_BRILLIANT 146
#define IDC_TRIANGLE_TRILLION 160

// Commands and value fields.
#define IDC_CALCULATE 149
#define IDC_LENGTH_EDIT 150
#define IDC_WIDTH_EDIT 151
#define IDC_DEPTH_EDIT 152
#define IDC_CONST_H 153
#define IDC_CONST_J 154
#define IDC_CONST_K 155
#define IDC_CONST_M 156
#define IDC_CONST_N 157
#define IDC_CONST_U 158
#define IDC_CONST_X 159
#define IDC_FORMULA 1001
#define IDC_ANSWER 1002
#define IDC_CLICK_HERE 1003
#define IDC_ABOUT 1015

// Styled labels.
#define IDC_LBL_ENTER_DIMENSIONS 1009
#define IDC_LBL_CHOOSE_SHAPE 1010
#define IDC_LBL_ANSWER 1011
#define IDC_LBL_LENGTH 1012
#define IDC_LBL_WIDTH 1013
#define IDC_LBL_DEPTH 1014
#define IDC_LBL_IN_MILLIMETERS 1017
#define IDC_LBL_DIAMETER 1018

// Shape pictures: each row's normal and selected picture share one rectangle.
#define IDC_PIC_ROUND_SEL 1019
#define IDC_PIC_ROUND 1020
#define IDC_PIC_OVAL 1021
#define IDC_PIC_OVAL_SEL 1022
#define IDC_PIC_SQUARE 1023
#define IDC_PIC_SQUARE_SEL 1024
#define IDC_PIC_RECTANGLE 1025
#define IDC_PIC_RECTANGLE_SEL 1026
#define IDC_PIC_MARQUISE 1027
#define IDC_PIC_MARQUISE_SEL 1028
#define IDC_PIC_PEAR 1029
#define IDC_PIC_PEAR_SEL 1030
#define IDC_PIC_TRIANGLE 1031
#define IDC_PIC_TRIANGLE_SEL 1032
#define IDC_PIC_HEART 1033
#define IDC_PIC_HEART_SEL 1034

// Selection arrows of rows 1 to 8.
#define IDC_ARROW1 1035
#define IDC_ARROW2 1036
#define IDC_ARROW3 1037
#define IDC_ARROW4 1038
#define IDC_ARROW5 1039
#define IDC_ARROW6 1040
#define IDC_ARROW7 1041
#define IDC_ARROW8 1042
