#include "variant_text.h"

#include <cstdio>

#include "platform/code_page.h"

namespace testsupport {

std::string DescribeArgument(const VARIANT &arg) {
    char text[32];
    switch (arg.vt) {
    case VT_BOOL:
        std::snprintf(text, sizeof text, "BOOL:%d", arg.boolVal);
        return text;
    case VT_I4:
        std::snprintf(text, sizeof text, "I4:%ld", static_cast<long>(arg.lVal));
        return text;
    case VT_I2:
        std::snprintf(text, sizeof text, "I2:%d", arg.iVal);
        return text;
    case VT_BSTR:
        if (!arg.bstrVal)
            return "BSTR(null)";
        return "BSTR:" + platform::WideToCodePage({arg.bstrVal, ::SysStringLen(arg.bstrVal)});
    default:
        std::snprintf(text, sizeof text, "VT%u", arg.vt);
        return text;
    }
}

}  // namespace testsupport
