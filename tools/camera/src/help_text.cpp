#include "help_text.h"

#include "option_table.h"
#include "suite_version.h"

namespace pdrcam {
namespace {

std::string commonOptions() {
    return "Camera options:\n" + optionHelp(OptionGroup::Camera);
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
               "Download options:\n" +
               optionHelp(OptionGroup::Download) + "\n" + commonOptions();
    if (topic == "erase")
        return "Usage: " + program +
               " erase PICTURES|last|all [options]\n\n"
               "Erases pictures (numbers, ranges like 2-5, lists like 1,4,7), the last\n"
               "picture or every picture on the camera. Asks on the terminal first;\n"
               "Ctrl-C at the question erases nothing. An erase that fails half-way\n"
               "says how many pictures were erased and how many remain.\n\n"
               "Erase options:\n" +
               optionHelp(OptionGroup::Erase) + "\n" + commonOptions();
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
