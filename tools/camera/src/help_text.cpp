#include "help_text.h"

#include "speed_classes.h"
#include "suite_version.h"

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
           "  -p, --port N|DEV   serial port 1-9, or the device itself (a path such as\n"
           "                     /dev/ttyUSB0, or COM3); default: search ports 1 to 9.\n"
           "                     A port another program holds is refused as in use.\n"
           "  -s, --speed S      line speed in bits per second, or a class as cN\n"
           "                     (default 115200); offered:\n" +
           speedList() +
           "      --library FILE load this camera library instead of the usual one\n"
           "  -q, --quiet        no progress, per-file lines or summary; errors only\n"
           "  -v, --debug        trace every command and answer on the line, with the\n"
           "                     time, on stderr\n"
           "      --debug-logfile FILE  the same trace, appended to FILE\n"
           "  -h, --help         show help\n"
           "      --version      show the program's version\n";
}

std::string exitCodes() {
    return "Exit status:\n"
           "  0    success (pictures already present and skipped count as success)\n"
           "  1    the camera or library reported an error for some request or picture\n"
           "  2    the command line could not be understood\n"
           "  3    no camera: no port, a port in use or not opening, no camera answering,\n"
           "       or the camera went away during the run (the run stops there)\n"
           "  4    the camera library could not be loaded or lacks an export\n"
           "  5    the output folder or a file in it could not be written, for instance\n"
           "       no space left on the device (the run stops there)\n"
           "  6    an erase was not confirmed\n"
           "  7    the pictures on the camera changed during the run (erased or added on\n"
           "       the camera itself or by another program): the run stops there, keeps\n"
           "       the files already complete and erases nothing more; list them again\n"
           "  129  the terminal was closed (SIGHUP)\n"
           "  130  interrupted with Ctrl-C (SIGINT)\n"
           "  143  asked to end (SIGTERM)\n"
           "After 129, 130 or 143 the session is closed and no partial file is left;\n"
           "an interrupt at the erase question erases nothing. Working files of a run\n"
           "that was killed outright are removed by the next get into that folder.\n";
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
               "its final name only when complete. Ctrl-C cancels the transfer.\n"
               "A file of the picture's name is skipped only when it has the picture's\n"
               "size and kind of content; any other file of that name is kept, and the\n"
               "picture is written as PIC00005-2.JPG (then -3, ...) instead.\n"
               "The run stops at a full disk (exit 5), a camera that went away (exit 3)\n"
               "or pictures that changed on the camera during the run (exit 7).\n\n"
               "Download options:\n"
               "  -o, --out DIR      folder for the files (default: the current folder)\n"
               "  -t, --thumbnails   also download thumbnails as THM00001.JPG (or .RAW\n"
               "                     when the camera's thumbnail is not a JPEG)\n"
               "      --thumbnails-only  download the thumbnails alone\n"
               "  -f, --force        replace files that exist (default: skip them)\n"
               "      --filename PATTERN  name files by PATTERN: %n the picture number\n"
               "                     (00001), %m the camera's model, %d the date of the\n"
               "                     download (YYYYMMDD), %% a percent sign; it ends in .%e,\n"
               "                     the extension (for example %m-%d-%n.%e); thumbnails\n"
               "                     add -thumb to the name\n"
               "      --new          only pictures not downloaded into DIR before, whatever\n"
               "                     their numbers now (DIR/.pdrcam-downloaded remembers\n"
               "                     each picture by its size and first 2048 bytes; one\n"
               "                     piece of each picture is fetched to compare)\n"
               "      --erase-after  erase each picture from the camera once its file is\n"
               "                     complete and checked (skipped pictures stay)\n\n" +
               commonOptions();
    if (topic == "erase")
        return "Usage: " + program +
               " erase PICTURES|last|all [options]\n\n"
               "Erases pictures (numbers, ranges like 2-5, lists like 1,4,7), the last\n"
               "picture or every picture on the camera. Asks on the terminal first;\n"
               "Ctrl-C at the question erases nothing. An erase that fails half-way\n"
               "says how many pictures were erased and how many remain.\n\n"
               "Erase options:\n"
               "  -y, --yes          do not ask\n\n" +
               commonOptions();
    return "Usage: " + program +
           " COMMAND [ARGUMENTS] [options]\n\n"
           "Works with a PDR-M4 camera on a serial port through the camera library.\n\n"
           "Commands:\n"
           "  detect             list the ports where a camera answers, with its maker,\n"
           "                     model and version\n"
           "  info               show camera information and the picture count\n"
           "  list               list the pictures on the camera\n"
           "  get [PICTURES]     download pictures (and thumbnails) into a folder\n"
           "  erase N|last|all   erase pictures on the camera (N: numbers or ranges)\n"
           "  help [COMMAND]     show help for a command\n\n" +
           commonOptions() + "\n" + exitCodes();
}

std::string versionText(const std::string &program) {
    return program + " " SUITE_VERSION_TEXT " (camera library exports of the PDR-M4 interface, 90 functions)\n";
}

}  // namespace pdrcam
