// English texts of the user interface, by string identifier.
#include "../common/LangModule.h"

namespace {

constexpr LangString kStrings[] = {
    // Product
    {101, u"Provana version"},
    {112, u"Provana"},
    // Bookmark list columns
    {115, u"Name"},
    {116, u"URL"},
    // Personal data
    {119, u"Calendar"},
    // Header band
    {125, u"Configuration:"},
    // Personal data
    {128, u"Contacts and calendar"},
    {129, u"Contacts"},
    {135, u"Transfer contact images"},
    // E-mail settings
    {140, u"E-mail settings"},
    {151, u"Advanced settings"},
    {152, u"Allow report requests"},
    {153, u"Send copy to own address"},
    {154, u"IMAP4 folder path"},
    {155, u"Send messages"},
    {156, u"Immediately"},
    {157, u"During next connection"},
    {158, u"On request"},
    {159, u"Request read report"},
    {160, u"Include signature"},
    {161, u"My contact card"},
    {162, u"Custom signature"},
    {163, u"No"},
    {164, u"Use SSL"},
    {165, u"Message format"},
    {166, u"HTML"},
    {167, u"Plain text"},
    {168, u"Plain text without MIME"},
    {169, u"Use APOP secure login"},
    {171, u"E-mail address"},
    {172, u"Confirm password"},
    {173, u"Access point"},
    {175, u"Mailbox name"},
    {176, u"No access points defined"},
    {177, u"Password"},
    {178, u"User name"},
    {179, u"Mail retrieval"},
    {180, u"Retrieve"},
    {181, u"Maximum message size"},
    {182, u"10"},
    {183, u"Messages"},
    {184, u"Messages and attachments"},
    {185, u"Headers only"},
    {186, u"Servers"},
    {187, u"IMAP4"},
    {188, u"Incoming mail server"},
    {189, u"Outgoing mail server"},
    {190, u"POP3"},
    {191, u"Mailbox type"},
    {192, u"Preferred mailbox"},
    {204, u"Mail information"},
    {205, u"New mailbox"},
    // File list columns
    {217, u"File name"},
    {219, u"Folder"},
    {221, u"New item"},
    // Internet access points
    {224, u"Address options"},
    {225, u"Get DNS addresses automatically"},
    {226, u"Get IP address automatically"},
    {227, u"IP address"},
    {228, u"Primary DNS server"},
    {229, u"Secondary DNS server"},
    {230, u"Callback"},
    {231, u"Specified number"},
    {232, u"Server number (IETF)"},
    {233, u"Callback number"},
    {234, u"Server number"},
    {235, u"Callback type"},
    {236, u"Use callback"},
    {237, u"Confirm password"},
    {238, u"Connection name"},
    {239, u"Data call"},
    {240, u"14400"},
    {241, u"19200"},
    {242, u"28800"},
    {243, u"38400"},
    {244, u"43200"},
    {245, u"9600"},
    {246, u"Analogue"},
    {247, u"Automatic"},
    {248, u"High speed"},
    {249, u"Modem initialisation string"},
    {250, u"ISDN V.110"},
    {251, u"ISDN V.120"},
    {252, u"Maximum connection speed"},
    {253, u"Remote modem type"},
    {254, u"Normal"},
    {255, u"Allow speed changes"},
    {256, u"Data call type"},
    {258, u"Other settings"},
    {259, u"Use PPP compression"},
    {260, u"Allow plain-text login"},
    {261, u"Password"},
    {262, u"Phone number"},
    {263, u"Prompt for password"},
    {272, u"Login script"},
    {273, u"Show terminal window"},
    {274, u"Script"},
    {275, u"Use login script"},
    {276, u"User name"},
    {277, u"Preferred access point"},
    {278, u"New access point"},
    {279, u"Internet access points"},
    // Common choices
    {288, u"No"},
    {289, u"None"},
    {290, u"0.0.0.0"},
    {291, u"OK"},
    // Printing
    {316, u"Provana configuration"},
    // SMS settings
    {323, u"SMS settings"},
    {328, u"New SMS centre"},
    {329, u"SMS centre name"},
    {330, u"Phone number"},
    // Command descriptions
    {331, u"Delete the selected items"},
    {332, u"Create a new configuration"},
    {333, u"Send the configuration to the phone"},
    {334, u"Show the activity log"},
    {335, u"Send the configuration to the phone connected to this PC"},
    {336, u"Send the configuration over the air"},
    {337, u"Send the configuration through a provisioning service"},
    // Telnet connections
    {339, u"Telnet connections"},
    {340, u"Advanced settings"},
    {341, u"Backspace key sends"},
    {342, u"Backspace"},
    {343, u"Delete"},
    {344, u"Enter key sends"},
    {345, u"CR"},
    {346, u"CR+LF"},
    {347, u"LF"},
    {348, u"Local echo"},
    {349, u"Off"},
    {350, u"On"},
    {351, u"Access point"},
    {352, u"No connections defined"},
    {353, u"Host name"},
    {354, u"Connection name"},
    {355, u"New telnet connection"},
    // Terminal connections
    {356, u"Terminal connections"},
    {357, u"Advanced settings"},
    {358, u"Backspace key sends"},
    {359, u"Backspace"},
    {360, u"Delete"},
    {361, u"Start in character mode"},
    {362, u"Enter key sends"},
    {363, u"CR"},
    {364, u"CR+LF"},
    {365, u"LF"},
    {366, u"Modem initialisation string"},
    {367, u"Local echo"},
    {368, u"Off"},
    {369, u"On"},
    {370, u"Connection name"},
    {371, u"Phone number"},
    {372, u"New terminal connection"},
    // Toolbar command texts
    {379, u"Send"},
    {380, u"New"},
    {381, u"Open"},
    {382, u"Save"},
    // Voice and fax mailboxes
    {384, u"Fax mailbox number"},
    {385, u"Voice mailbox number"},
    // Messages
    {387, u"The configuration has changed.\nDo you want to save the changes?"},
    // WAP settings
    {388, u"WAP settings"},
    {389, u"WAP bookmarks"},
    {390, u"WAP bookmarks"},
    {391, u"Main connection settings"},
    {392, u"Bearer"},
    {393, u"Data call"},
    {394, u"SMS"},
    {395, u"Connection name"},
    {396, u"Data call bearer settings"},
    {397, u"Gateway address"},
    {398, u"Access point"},
    {399, u"No WAP connections defined"},
    {400, u"SMS bearer settings"},
    {401, u"SMS centre number"},
    {402, u"Service number"},
    {403, u"Session type"},
    {404, u"Continuous"},
    {405, u"Temporary"},
    {406, u"Use secure connection"},
    {417, u"New WAP connection"},
    // Bookmarks and common choices
    {418, u"WWW bookmarks"},
    {419, u"WWW bookmarks"},
    {420, u"Yes"},
    // Items
    {421, u"Access point"},
    {422, u"Mailbox"},
    {423, u"WAP connection"},
    {425, u"Terminal connection"},
    {426, u"Telnet connection"},
    {429, u"SMS centre"},
    // Host
    {431, u"Prepare phone settings and send them to a phone"},
    // About box
    {439, u"About Provana"},
    // Internet access points
    {443, u"No access points defined"},
    // Password confirmation
    {447, u"Confirm password"},
    // Proxy servers
    {449, u"Proxy servers"},
    {450, u"No HTTP proxy for"},
    {451, u"HTTP proxy port"},
    {452, u"HTTP proxy server"},
    {453, u"Use HTTP proxy"},
    {454, u"No HTTPS proxy for"},
    {455, u"HTTPS proxy port"},
    {456, u"HTTPS proxy server"},
    {457, u"Use HTTPS proxy"},
    // Categories
    {460, u"Personal data"},
    {462, u"BIO messages"},
    {463, u"Extra"},
    // Item fields
    {464, u"Preferred SMS centre"},
    {465, u"Sender name"},
    // In-place editing
    {471, u"The passwords do not match. The password was not changed."},
    {472, u"The value you typed is not valid."},
    {473, u"Signature"},
    {474, u"Print"},
    {475, u"Login script"},
    {476, u"Signature"},
    // Value column texts
    {480, u"%d file|%d files"},
    {481, u"No files"},
    {482, u"(login script)"},
    {484, u"No mailboxes defined"},
    {485, u"No SMS centres defined"},
    // Sending
    {486, u"Cannot connect to the connectivity server. Make sure that the "
          u"connectivity software is installed and running."},
    {487, u"Another application (%s) is using the phone. Close it and try again."},
    {489, u"Not available"},
    {492, u"%s:\n%s"},
    {494, u"Sending %s..."},
    {495, u"Sending the configuration..."},
    {496, u"Copying %s..."},
    {497, u"(signature text)"},
    {498, u"Allow report requests"},
    // File dialogs and printing
    {501, u"Installation packages"},
    {502, u"Images"},
    {503, u"All files"},
    {504, u"Bookmark files"},
    {505, u"Configuration files"},
    {506, u"Print preview"},
    {507, u"Page %d of %d"},
    {508, u"Installing %s..."},
    {510, u"Bookmark file"},
    // Transfer results
    {513, u"The transfer was cancelled."},
    {514, u"A file could not be transferred to the phone."},
    {519, u"The setting \"%s\" is not valid:\n%s"},
    {521, u"The phone stopped the transfer."},
    // Bookmark import
    {540, u"Netscape Navigator bookmarks were not found on this computer."},
    {541, u"The bookmark file could not be opened."},
    {546, u"Use this answer for all other settings"},
    // File transfer
    {550, u"File transfer"},
    {551, u"Operator logo"},
    {552, u"Ringing tones"},
    {553, u"Ringing tone"},
    {554, u"Installation packages"},
    {555, u"Installation package"},
    {556, u"Background images"},
    {557, u"Background image"},
    {558, u"Other files"},
    {559, u"File"},
    {560, u"Local file"},
    {561, u"Phone folder"},
    {564, u"WWW bookmark"},
    {565, u"Use this answer for all other files"},
    {566, u"The file could not be found."},
    {567, u"There is not enough memory on the phone."},
    {568, u"WAP bookmark"},
    {569, u"The file could not be written to the phone."},
    {570, u"The phone does not support this configuration."},
    {571, u"The phone's software version is not supported."},
    {575, u"Sending the configuration failed."},
    {576, u"The phone did not respond."},
    {578, u"No phone is connected."},
    {581, u"Preparing to send..."},
    {582, u"The connection to the phone was lost."},
    {583, u"Communication with the phone failed."},
    // Bookmark dialogs
    {584, u"%d bookmark|%d bookmarks"},
    {585, u"Enter a name for the bookmark. Each bookmark needs a different name."},
    {586, u"Enter a valid URL for the bookmark, for example http://www.example.com/."},
    {587, u"The user name can have at most 50 characters."},
    {588, u"The password can have at most 20 characters."},
    {589, u"Select the WAP connection that the bookmark uses."},
    {590, u"The phone is busy. Try again later."},
    {591, u"Phone folder"},
    {592, u"The phone folder must start with a drive letter and a colon, for "
          u"example C:\\, and must not contain any of these characters: "
          u"\" * / < > ? |"},
    // Document messages
    {593, u"The activity log does not exist or could not be opened."},
    {594, u"The file could not be copied to the phone."},
    {595, u"Cancelling..."},
    {596, u"The item cannot be deleted because it is used in %s."},
    {597, u"The file could not be read."},
    {598, u"The file is not a configuration file, or it is damaged."},
    {599, u"The file could not be saved."},
    {600, u"Some values in the file were not valid and have been corrected. "
          u"Check the settings before sending the configuration."},
    {601, u"Open a configuration file"},
    {602, u"Save the configuration"},
    {603, u"Print the configuration"},
    {604, u"No bookmarks"},
    {605, u"Untitled"},
    // Bookmark fields
    {606, u"Name"},
    {607, u"URL"},
    {608, u"Password"},
    {609, u"User name"},
    {610, u"WAP connection"},
    {611, u"Name"},
    {612, u"URL"},
    // Phone settings results
    {614, u"The phone could not read the configuration."},
    {615, u"The phone could not save the settings."},
    {616, u"There is no room for more settings on the phone."},
    {617, u"The phone rejected a setting."},
    // Printed WAP bookmark fields
    {618, u"WAP connection"},
    {619, u"User name"},
    {620, u"Password"},
    {621, u"The phone rejected the configuration."},
    // Phone language number
    {622, u"1"},

    // Command-line tool
    {40000, u"Usage: provana COMMAND [ARGUMENTS]\n"
            u"\n"
            u"Prepares the settings of EPOC smartphones as configuration files.\n"
            u"\n"
            u"Commands:\n"
            u"  new FILE                 Write a new configuration with the default settings.\n"
            u"  convert IN OUT           Open IN, correct values that are not valid, save as OUT.\n"
            u"  check FILE [--sending [--all]]\n"
            u"                           Check the values of a configuration.\n"
            u"  show FILE [--all]        Show the settings tree.\n"
            u"  diff A B [--all]         List the differences between two configurations.\n"
            u"  get FILE PATH            Print the value of one setting.\n"
            u"  set FILE PATH VALUE      Change the value of one setting.\n"
            u"  add FILE CATEGORY NAME   Add a named access point, mailbox, WAP connection or "
            u"SMS centre.\n"
            u"  include FILE PATH on|off Include or exclude one setting as its check box in the "
            u"editor does.\n"
            u"  text FILE                Print the configuration as it is sent to the phone.\n"
            u"  folders [LANGUAGE]       List the proposed phone folders for files.\n"
            u"  files FILE [...]         List, add or remove the files to copy to the phone.\n"
            u"  print FILE --pdf OUT|--lines [--range all|included]\n"
            u"                           Print the settings listing as PDF or as its lines.\n"
            u"  send FILE [...]          Send the configuration to the connected phone.\n"
            u"  bookmarks FILE [...]     List the bookmarks or import them from a browser.\n"
            u"  variants TEMPLATE TABLE OUTDIR [--force] [--check]\n"
            u"                           Make one configuration per row of a table.\n"
            u"  --help                   Show this help; COMMAND --help shows help on a command.\n"
            u"  --version                Show the version.\n"
            u"\n"
            u"A PATH names a setting by element names joined by \"/\". Brackets pick an item by "
            u"its name or by its position:\n"
            u"  IAPSettings/IAPConnection[Office]/DataCall/ConnectionType\n"
            u"  PersonalData/WWWBookmarks/WWWBookmark[2]/URL\n"
            u"\n"
            u"Exit status: 0 success, 1 a check failed or a change was refused, 2 wrong usage, "
            u"3 a file could not be read, is not a configuration, or could not be written, "
            u"4 the phone or the connectivity server could not be reached.\n"},
    {40001, u"provana: unknown command \"%s\". Run \"provana --help\" for the list of "
            u"commands."},
    {40010, u"Usage: provana new FILE\n"
            u"\n"
            u"Writes a new configuration with the default settings to FILE. An existing file "
            u"is replaced.\n"},
    {40011, u"Usage: provana convert IN OUT\n"
            u"\n"
            u"Opens the configuration IN as the editor opens it, correcting values that are not "
            u"valid, and saves it as OUT.\n"},
    {40012, u"Usage: provana check FILE [--sending [--all]]\n"
            u"\n"
            u"Checks the values of a configuration as opening it does and lists every value "
            u"that had to be corrected, one a line as PATH: old -> new. Exits with 1 when any "
            u"was.\n"
            u"\n"
            u"With --sending, checks the included settings as sending does and reports the "
            u"first one that is not valid. With --sending --all, lists every included setting "
            u"that is not valid, one a line as PATH: message.\n"},
    {40013, u"Usage: provana show FILE [--all]\n"
            u"\n"
            u"Shows the settings tree as the editor shows it: [x] marks included settings. "
            u"With --all, hidden settings are shown too.\n"},
    {40014, u"Usage: provana get FILE PATH\n"
            u"\n"
            u"Prints the stored value of the setting at PATH (passwords in plain text).\n"},
    {40015, u"Usage: provana set FILE PATH VALUE\n"
            u"\n"
            u"Changes the value of the setting at PATH as typing it into the editor does, and "
            u"saves the file: characters the setting does not take are dropped, numbers are "
            u"kept within their limits, a text longer than its setting holds is cut to fit "
            u"with a warning (a script or signature in its stored form, one line feed per line "
            u"break), a choice is named by its value or by the text the "
            u"editor shows, and a setting whose value changed is included. A value the editor "
            u"refuses is refused with its message and the file stays as it was (exit status "
            u"1).\n"},
    {40016, u"Usage: provana add FILE CATEGORY NAME\n"
            u"\n"
            u"Adds a new item named NAME to CATEGORY and saves the file. CATEGORY is one of "
            u"IAPSettings, EMailSettings, WAPSettings and SMSSettings.\n"},
    {40017, u"Usage: provana text FILE\n"
            u"\n"
            u"Prints the configuration as it is sent to the phone: line feeds only, no byte "
            u"order mark, in UTF-8.\n"},
    {40018, u"Usage: provana folders [LANGUAGE]\n"
            u"\n"
            u"Lists the five phone folders proposed for files, for a phone language number "
            u"(1 English, 2 French, 3 German, ...). Without LANGUAGE, the language of this "
            u"installation is used.\n"},
    {40019, u"Usage: provana include FILE PATH on|off\n"
            u"\n"
            u"Includes (on) or excludes (off) the setting at PATH as clicking its check box in "
            u"the editor does, and saves the file. Including a setting also includes the "
            u"settings above it and the mandatory settings of its item; excluding the last "
            u"included setting of a group also excludes the group. A change the rules do not "
            u"allow (a mandatory setting, a setting that does not apply, an empty list) is "
            u"refused with the reason and the file is left as it was.\n"},
    {40020, u"Usage: provana files FILE\n"
            u"       provana files FILE --add CATEGORY LOCAL...\n"
            u"       provana files FILE --add Files LOCAL REMOTE\n"
            u"       provana files FILE --remove CATEGORY N\n"
            u"\n"
            u"Without options, lists the files to copy to the phone, one a line: the category "
            u"(RingingTones, BackgroundImages, SISFiles or Files), a tab, the file on this "
            u"computer, and for Files a tab and the phone folder.\n"
            u"--add adds files that exist on this computer as the file list's Add and OK do: a "
            u"file already listed in its category is skipped, and a Files entry takes the "
            u"phone folder REMOTE, which starts with a drive letter and a colon (C:\\Documents\\), "
            u"and is skipped when the same file already goes to that folder. "
            u"--remove removes the N-th entry (1 is the first) of CATEGORY. Both then include "
            u"the category when it has entries and exclude it when it has none, and save the "
            u"file.\n"},
    {40021, u"Usage: provana bookmarks FILE [--wap]\n"
            u"       provana bookmarks FILE --import SOURCE\n"
            u"\n"
            u"Without options, lists the WWW bookmarks (with --wap the WAP bookmarks) in their "
            u"stored order, one a line: the name, a tab and the URL; WAP bookmarks add a tab and "
            u"the connection, a tab and the user name.\n"
            u"--import adds the WWW bookmarks of SOURCE as the bookmark list's Import and OK "
            u"do: a bookmark whose name is already listed or whose URL is not valid is skipped; "
            u"it prints how many were added and skipped and saves the file. SOURCE is a "
            u"bookmark file in the Netscape HTML format that browsers export, or one of:\n"
            u"  favorites[=FOLDER]  the .url files of the Favorites folder ($PROVANA_FAVORITES "
            u"or ~/Favorites)\n"
            u"  netscape            the bookmark file the registry names for Netscape "
            u"Navigator\n"
            u"  firefox[=PLACES]    places.sqlite of Firefox's default profile\n"
            u"  chromium[=FILE]     the Bookmarks file of Chromium's and Google Chrome's "
            u"default profiles\n"
            u"A source that cannot be read leaves the file untouched and exits with 3.\n"},
    {40022, u"Usage: provana print FILE --pdf OUT [--range all|included]\n"
            u"       provana print FILE --lines [--range all|included]\n"
            u"\n"
            u"Prints the settings of a configuration as the editor's Print does: one line per "
            u"setting with its label and value, indented like the tree, with the file name and "
            u"page numbers on every page. Passwords print as ********.\n"
            u"--pdf writes the listing to the PDF file OUT on paper of this locale (A4 or "
            u"Letter); no display or printer is needed.\n"
            u"--lines prints the stored lines of the listing for an A4 page at 600 dpi, measured "
            u"in a fixed-pitch font, one listing line per output line: each run of text as b "
            u"(bold) or n (normal), its x position in six digits and its text.\n"
            u"--range picks the settings: all settings, or only the included ones (the "
            u"default). A listing without settings writes nothing and exits with 1.\n"},
    {40023, u"Usage: provana send FILE [--answer overwrite|skip|cancel] [--option 1|2|3]\n"
            u"\n"
            u"Sends the configuration to the phone connected to the connectivity server, as the "
            u"editor's Send does: the included settings are checked first, and a server is "
            u"started when none answers. Progress goes to standard error.\n"
            u"A question about a file that is already on the phone or cannot be read is answered "
            u"by --answer, or else asked on the terminal (a capital letter keeps the answer for "
            u"the rest of the transfer); without a terminal the file is skipped. Ctrl+C cancels "
            u"the transfer.\n"
            u"--option 2 and 3 choose the other ways of sending, which never reach the server.\n"
            u"\n"
            u"Exit status: 0 the phone received the configuration, 1 a setting is not valid or "
            u"the transfer failed or was cancelled, 4 the server or the phone could not be "
            u"reached or another application holds the phone.\n"},
    {40024, u"Usage: provana variants TEMPLATE TABLE OUTDIR [--force] [--check]\n"
            u"\n"
            u"Makes one configuration per row of TABLE from the configuration TEMPLATE. TABLE is "
            u"a CSV file (fields separated by a comma or a semicolon, whichever its header row "
            u"uses; a field in double quotes may hold separators, line breaks and doubled "
            u"quotes; UTF-8) or, when its name ends in .tsv, separated by tabs. The header row "
            u"names settings as provana set does; a column named file gives each row's file name "
            u"(default: the row number, zero-padded). For each row every non-empty cell is "
            u"stored as provana set stores it, in column order, and the result is saved as "
            u"OUTDIR/NAME.xml.\n"
            u"A row with a refused value writes nothing and is reported as \"row N, COLUMN: "
            u"MESSAGE\"; the other rows are still written. An existing file is kept unless "
            u"--force is given, and a file an earlier row made is not made again. --check also "
            u"refuses a row whose configuration the check before "
            u"sending would refuse.\n"
            u"Exits with 1 when any row was not written, 2 when a header names no setting "
            u"(before anything is written), 3 when the template or the table cannot be read.\n"},
    {40026, u"Usage: provana diff A B [--all]\n"
            u"\n"
            u"Lists every difference between the configurations A and B as the settings tree "
            u"shows them, with the values as the files store them: PATH: old -> new for a "
            u"value (a password as ********), PATH: included -> excluded (or back) for an "
            u"include check box, + PATH for an item or list entry only B has and - PATH for "
            u"one only A has. Items are matched by their names, so their order makes no "
            u"difference. With --all, hidden settings are compared too.\n"
            u"\n"
            u"Exits with 0 when they are the same, 1 when they differ and 3 when one cannot be "
            u"read.\n"},
    {40030, u"provana: %s: %s"},
    {40031, u"provana: no setting matches the path \"%s\"."},
    {40032, u"%s: %s -> %s"},
    {40033, u"provana %s: wrong arguments. Run \"provana %s --help\" for its usage."},
    {40034, u"provana add: \"%s\" is not a category of named items. Use IAPSettings, "
            u"EMailSettings, WAPSettings or SMSSettings."},
    {40035, u"The name \"%s\" is already used in %s. Choose another name."},
    {40036, u"\"%s\" cannot be used as a name. Choose another name."},
    {40037, u"%s holds a list and has no value of its own."},
    {40038, u"provana folders: \"%s\" is not a language number."},
    {40039, u"The value \"%s\" was refused."},
    {40040, u"provana include: \"%s\" is neither on nor off."},
    {40041, u"\"%s\" is mandatory while \"%s\" is included and cannot be excluded."},
    {40042, u"\"%s\" does not apply with the present settings and cannot be included or "
            u"excluded."},
    {40043, u"\"%s\" is an empty list and cannot be included."},
    {40044, u"\"%s\" cannot be included or excluded here."},
    {40045, u"provana files: \"%s\" is not a file list. Use RingingTones, BackgroundImages, "
            u"SISFiles or Files."},
    {40046, u"provana files: \"%s\" is not a file on this computer."},
    {40047, u"provana files: %s has no entry %s."},
    {40048, u"%s: %d added, %d already listed."},
    {40049, u"%d bookmarks added, %d skipped."},
    {40050, u"provana %s: %s holds at most %d characters; the value was cut to fit."},
    {40060, u"provana print: %s has no settings to print in this range."},
    {40061, u"provana print: \"%s\" is neither all nor included."},
    {40062, u"provana print: %s could not be written."},
    {40070, u"provana send: \"%s\" is not an answer. Use overwrite, skip or cancel."},
    {40071, u"provana send: \"%s\" is not a send option. Use 1, 2 or 3."},
    {40072, u"[s]kip, [o]verwrite, [r]etry or [c]ancel (a capital letter keeps the answer for "
            u"the rest): "},
    {40080, u"%s: excluded -> included"},
    {40081, u"%s: included -> excluded"},
    {40082, u"+ %s"},
    {40083, u"- %s"},
    {40084, u"%s: %s"},
    {40090, u"not a table: a quote is left open, the text is not UTF-8 or there is no header."},
    {40091, u"row %d, %s: %s"},
    {40092, u"row %d: %s"},
    {40093, u"the row has more cells than the header has columns."},
    {40094, u"\"%s\" cannot name a file in the output folder."},
    {40095, u"%s exists and was kept; --force replaces it."},
    {40096, u"provana variants: %d of %d rows..."},
    {40097, u"row %d makes this file already."},

    // Dialog buttons and texts
    {41000, u"OK"},
    {41001, u"Cancel"},
    {41002, u"Help"},
    {41010, u"Copyright \u00a9 Talvik. All rights reserved."},
    {41020, u"Type the password again to confirm it:"},
    {41030, u"Load from file..."},
    {41040, u"Skip"},
    {41041, u"Replace"},
    {41042, u"Retry"},
    {41043, u"Cancel"},
    {41060, u"\"%s\" is not one of the choices of %s."},
    {41061, u"%s has no value that can be typed."},
    {41070, u"File to transfer"},
    {41071, u"File on this computer:"},
    {41072, u"Phone folder:"},
    {41073, u"Browse..."},
    {41074, u"&Add..."},
    {41075, u"&Edit..."},
    {41076, u"&Remove"},
    {41077, u"Choose a file that exists on this computer."},
    {41078, u"This file is already in the list."},

    // Bookmark import and bookmark dialogs
    {41080, u"Import bookmarks"},
    {41081, u"Internet Explorer Favorites folder"},
    {41082, u"Netscape Navigator"},
    {41083, u"Bookmark file:"},
    {41084, u"Firefox"},
    {41085, u"Chromium or Google Chrome"},
    {41086, u"&Import..."},
    {41087, u"Choose a bookmark file"},
    {41088, u"The Favorites folder %s was not found."},
    {41089, u"Firefox bookmarks were not found on this computer."},
    {41090, u"Chromium or Google Chrome bookmarks were not found on this computer."},
    {41091, u"&Name:"},
    {41092, u"&URL:"},
    {41093, u"&Connection:"},
    {41094, u"User na&me:"},
    {41095, u"&Password:"},
    {41100, u"Included settings"},
    // Sending
    {41120, u"This way of sending does not go through the connectivity server. Choose the "
            u"first send option to send the configuration to a connected phone."},
    // Send dialog
    {41160, u"Send to phone"},
    {41161, u"Phone name:"},
    {41162, u"IMEI:"},
    {41163, u"Phone number:"},
    // Mailbox message size
    {41170, u"%s kB"},
    {41180, u"Sent to %s: %s settings, %s files"},
    {41181, u"Cancelled. Nothing had reached the phone."},
    {41182, u"Cancelled. Already on the phone: %s settings (%s), %s files."},
    {41183, u"Close"},
    {41184, u"Its folder is not on a drive the phone has."},
    {41185, u"The phone does not allow its name."},
    {41186, u"%s:\n%s is already on the phone, in %s"},
    {41187, u"The setting \"%s\" of \"%s\" is not valid:\n%s"},
    {41188, u"The setting \"%s\" is not valid:\n%s"},
    {41189, u"It needs a value."},
    {41190, u"\"%s\" is not a valid value for it."},
    {41191, u"Over the Air sends settings to phones through the mobile operator's network, "
            u"which this computer does not reach, so nothing was sent. To send the configuration "
            u"to the phone connected to this computer, choose Tools > Send Via > Cable, Infrared "
            u"or Bluetooth."},
    {41192, u"The Provisioning Service hands configurations to a provisioning server, which "
            u"this computer does not reach, so nothing was sent. To send the configuration to the "
            u"phone connected to this computer, choose Tools > Send Via > Cable, Infrared or "
            u"Bluetooth."},
    {41193, u"Printing page %s of %s..."},
    // Undo and redo
    {41200, u"&Undo %s"},
    {41201, u"&Redo %s"},
    {41202, u"&Undo"},
    {41203, u"&Redo"},
    {41204, u"Change \"%s\""},
    {41205, u"Include \"%s\""},
    {41206, u"Exclude \"%s\""},
    {41207, u"Delete \"%s\""},
    {41208, u"Delete %d items"},
    {41209, u"Add \"%s\""},
    {41210, u"Paste \"%s\""},
    {41211, u"Paste %d items"},
    {41212, u"Cut \"%s\""},
    {41213, u"Cut %d items"},
    // Opening a file
    {41220, u"The file ends before the configuration does: line %d"},
    {41221, u"Open what could be read as a new untitled document?"},
    {41222, u"%s could not be opened."},
    // Deleting, cutting and pasting items
    {41223, u"Delete \"%s\"?"},
    {41224, u"Delete %d items?"},
    {41225, u"Do not ask again"},
    {41226, u"The clipboard holds no items to paste."},
    {41227, u"As&k Before Deleting"},
    // Problems panel
    {41400, u"Problems"},
    {41401, u"Pro&blems"},
    {41402, u"Setting"},
    {41403, u"Path"},
    {41404, u"Message"},
    {41405, u"&Included only"},
    {41406, u"&All settings"},
    {41407, u"Settings that are not valid: %d"},
    {41408, u"&Hide"},
    // Variants dialog
    {41420, u"&Make Variants..."},
    {41421, u"Make Variants"},
    {41422, u"&Table:"},
    {41423, u"Output &folder:"},
    {41424, u"B&rowse..."},
    {41425, u"Bro&wse..."},
    {41426, u"Row"},
    {41427, u"File"},
    {41428, u"Status"},
    {41429, u"ok"},
    {41430, u"&Make"},
    {41431, u"Tables (*.csv *.tsv);;All files (*)"},
    {41432, u"%d of %d configurations made."},
    {41433, u"Cancelled: %d of %d configurations made."},
    {41434, u"R&ows:"},
    {41435, u"The table cannot be read."},
    {41436, u"These columns name no setting: %s"},
    {41437, u"%s: the setting stores nothing for this text."},
    {41438, u"The row has more cells than the header."},
    {41439, u"The file name is not valid."},
    {41440, u"Row %d makes the same file."},
    {41441, u"The file exists and is kept."},
    {41442, u"The file could not be written."},
    {41443, u"Files of these rows that are there already: %d. Replace them?"},
    // Language: the numbers that take a count's first plural form
    {41450, u"1"},
    // Bookmark import
    {41451, u"%d added, %d skipped"},
    {41452, u"The list already has a bookmark with this name. Each bookmark needs a different "
            u"name."},
    // What an editor did with a value or a typed character
    {41453, u"Letters are not allowed in phone numbers"},
    {41454, u"\"%s\" is not allowed in %s"},
    {41455, u"A plus sign is allowed only at the start of %s"},
    {41456, u"Only digits are allowed in %s"},
    {41457, u"%s limited to %d"},
    {41458, u"%s raised to %d"},
    {41459, u"%s cut to %d characters"},
    // Framework
    {61441, u"Save As"},
};

} // namespace

const LangTable gLangTable = MakeLangTable(kStrings);
