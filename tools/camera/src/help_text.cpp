#include "help_text.h"

#include "speed_classes.h"

namespace pdrcam {
namespace {

// "9600 (c1), 19200 (c2), ..." wrapped under the option descriptions.
std::string speedList() {
    const std::string indent(21, ' ');
    std::string list = indent, line;
    for (const SpeedClass *c = speedClassesBegin(); c != speedClassesEnd(); ++c) {
        const std::string item = std::to_string(c->bitsPerSecond) + " (c" +
                                 std::to_string(c->code) + ")" +
                                 (c + 1 != speedClassesEnd() ? "," : "");
        if (!line.empty() && line.size() + item.size() > 56) {
            list += line + "\n" + indent;
            line.clear();
        }
        line += (line.empty() ? "" : " ") + item;
    }
    return list + line + "\n";
}

std::string commonOptions() {
    return "Camera options:\n"
           "  -p, --port N       serial port 1-9 (default: search ports 1 to 9)\n"
           "  -s, --speed S      line speed in bits per second, or a class as cN\n"
           "                     (default 115200); offered:\n" +
           speedList() +
           "      --library FILE load this camera library instead of the usual one\n"
           "  -h, --help         show help\n";
}

std::string exitCodes() {
    return "Exit status:\n"
           "  0    success (pictures already present and skipped count as success)\n"
           "  1    the camera or library reported an error for some request or picture\n"
           "  2    the command line could not be understood\n"
           "  3    no camera found (no port, or no camera answering on it)\n"
           "  4    the camera library could not be loaded or lacks an export\n"
           "  5    the output folder or a file in it could not be written\n"
           "  6    an erase was not confirmed\n"
           "  130  interrupted with Ctrl-C (the session is closed, no partial file is left)\n";
}

}  // namespace

std::string helpText(const std::string &program, const std::string &topic) {
    if (topic == "info")
        return "Usage: " + program +
               " info [options]\n\n"
               "Shows the camera's maker, version, model, memory status and picture count.\n\n" +
               commonOptions();
    if (topic == "list")
        return "Usage: " + program +
               " list [options]\n\n"
               "Lists the pictures on the camera: number, size in bytes and type\n"
               "(the library reports type 1 for pictures of the camera's group 0).\n\n" +
               commonOptions();
    if (topic == "get")
        return "Usage: " + program +
               " get [PICTURES...] [options]\n\n"
               "Downloads pictures into a folder as PIC00001.JPG, PIC00002.JPG, ... (the\n"
               "extension follows the content: JPG, AVI or RAW). PICTURES are numbers,\n"
               "ranges like 2-5 or lists like 1,4,7; without any, or with 'all', every\n"
               "picture is downloaded. A file is written under a temporary name and gets\n"
               "its final name only when complete. Ctrl-C cancels the transfer.\n\n"
               "Download options:\n"
               "  -o, --out DIR      folder for the files (default: the current folder)\n"
               "  -t, --thumbnails   also download thumbnails as THM00001.JPG (or .RAW\n"
               "                     when the camera's thumbnail is not a JPEG)\n"
               "  -f, --force        replace files that exist (default: skip them)\n\n" +
               commonOptions();
    if (topic == "erase")
        return "Usage: " + program +
               " erase N|last|all [options]\n\n"
               "Erases picture N, the last picture or every picture on the camera.\n"
               "Asks for confirmation first.\n\n"
               "Erase options:\n"
               "  -y, --yes          do not ask\n\n" +
               commonOptions();
    return "Usage: " + program +
           " COMMAND [ARGUMENTS] [options]\n\n"
           "Works with a PDR-M4 camera on a serial port through the camera library.\n\n"
           "Commands:\n"
           "  info               show camera information and the picture count\n"
           "  list               list the pictures on the camera\n"
           "  get [PICTURES]     download pictures (and thumbnails) into a folder\n"
           "  erase N|last|all   erase pictures on the camera\n"
           "  help [COMMAND]     show help for a command\n\n" +
           commonOptions() + "\n" + exitCodes();
}

}  // namespace pdrcam
