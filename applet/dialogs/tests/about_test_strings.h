#pragma once
// A resource library of other texts for the About dialog's tests: a caption
// string without "%1".
#define ABOUT_TEST_NAME    "Test Applet"
#define ABOUT_TEST_CAPTION "Information"
