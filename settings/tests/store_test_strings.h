#pragma once
// String resources of the store's test program, shared by its .rc file and the
// tests that look for the keys these names produce.
// The applet and the publisher each name the string that holds their product
// key; the tests stand in for both with strings of the same numbers.
#define STORE_TEST_APPLET_PRODUCT_ID    990
#define STORE_TEST_APPLET_PRODUCT       "Store Applet Sandbox"
#define STORE_TEST_PUBLISHER_PRODUCT_ID 1
#define STORE_TEST_PUBLISHER_PRODUCT    "Store Publisher Sandbox"
#define STORE_TEST_OTHER_PRODUCT        "Store Other Product"
#define STORE_TEST_OTHER_PRODUCT_ID     991
// No string of this number exists.
#define STORE_TEST_MISSING_ID 995
