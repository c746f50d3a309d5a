// Ids of the resources the win32 conformance tests load (test_resources.rc).
#pragma once

#define IDS_BLOCK2_FIRST 16
#define IDS_ABOUT 101
#define IDS_SECOND 102
#define IDS_BLOCK8_LAST 115
#define IDS_LONG 200
#define IDI_TEST 201
#define IDB_TEST 301
#define IDD_TEST 401
#define IDR_DATA 501
