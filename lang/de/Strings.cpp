// German texts of the user interface, by string identifier.
#include "../common/LangModule.h"

namespace {

constexpr LangString kStrings[] = {
    // Product
    {101, u"Provana Version"},
    {112, u"Provana"},
    // Bookmark list columns
    {115, u"Name"},
    {116, u"URL"},
    // Personal data
    {119, u"Kalender"},
    // Header band
    {125, u"Konfiguration:"},
    // Personal data
    {128, u"Kontakte und Kalender"},
    {129, u"Kontakte"},
    {135, u"Kontaktbilder übertragen"},
    // E-mail settings
    {140, u"E-Mail-Einstellungen"},
    {151, u"Erweiterte Einstellungen"},
    {152, u"Anforderung von Lesebestätigungen zulassen"},
    {153, u"Kopie an eigene Adresse senden"},
    {154, u"IMAP4-Ordnerpfad"},
    {155, u"Nachrichten senden"},
    {156, u"Sofort"},
    {157, u"Bei nächster Verbindung"},
    {158, u"Auf Anforderung"},
    {159, u"Lesebestätigung anfordern"},
    {160, u"Signatur einfügen"},
    {161, u"Meine Visitenkarte"},
    {162, u"Eigene Signatur"},
    {163, u"Nein"},
    {164, u"SSL verwenden"},
    {165, u"Nachrichtenformat"},
    {166, u"HTML"},
    {167, u"Nur Text"},
    {168, u"Nur Text ohne MIME"},
    {169, u"Sichere APOP-Anmeldung"},
    {171, u"E-Mail-Adresse"},
    {172, u"Passwort bestätigen"},
    {173, u"Zugangspunkt"},
    {175, u"Name der Mailbox"},
    {176, u"Keine Zugangspunkte definiert"},
    {177, u"Passwort"},
    {178, u"Benutzername"},
    {179, u"E-Mail-Abruf"},
    {180, u"Abrufen"},
    {181, u"Maximale Nachrichtengröße"},
    {182, u"10"},
    {183, u"Nachrichten"},
    {184, u"Nachrichten und Anhänge"},
    {185, u"Nur Kopfzeilen"},
    {186, u"Server"},
    {187, u"IMAP4"},
    {188, u"Posteingangsserver"},
    {189, u"Postausgangsserver"},
    {190, u"POP3"},
    {191, u"Mailbox-Typ"},
    {192, u"Bevorzugte Mailbox"},
    {204, u"Mailbox-Angaben"},
    {205, u"Neue Mailbox"},
    // File list columns
    {217, u"Dateiname"},
    {219, u"Ordner"},
    {221, u"Neues Element"},
    // Internet access points
    {224, u"Adressoptionen"},
    {225, u"DNS-Adressen automatisch beziehen"},
    {226, u"IP-Adresse automatisch beziehen"},
    {227, u"IP-Adresse"},
    {228, u"Primärer DNS-Server"},
    {229, u"Sekundärer DNS-Server"},
    {230, u"Rückruf"},
    {231, u"Angegebene Nummer"},
    {232, u"Servernummer (IETF)"},
    {233, u"Rückrufnummer"},
    {234, u"Servernummer"},
    {235, u"Rückruftyp"},
    {236, u"Rückruf verwenden"},
    {237, u"Passwort bestätigen"},
    {238, u"Verbindungsname"},
    {239, u"Datenanruf"},
    {240, u"14400"},
    {241, u"19200"},
    {242, u"28800"},
    {243, u"38400"},
    {244, u"43200"},
    {245, u"9600"},
    {246, u"Analog"},
    {247, u"Automatisch"},
    {248, u"Hochgeschwindigkeit"},
    {249, u"Modem-Initialisierungsbefehl"},
    {250, u"ISDN V.110"},
    {251, u"ISDN V.120"},
    {252, u"Maximale Verbindungsgeschwindigkeit"},
    {253, u"Typ des Gegenmodems"},
    {254, u"Normal"},
    {255, u"Geschwindigkeitswechsel zulassen"},
    {256, u"Datenanruftyp"},
    {258, u"Weitere Einstellungen"},
    {259, u"PPP-Komprimierung verwenden"},
    {260, u"Klartext-Anmeldung zulassen"},
    {261, u"Passwort"},
    {262, u"Rufnummer"},
    {263, u"Passwort abfragen"},
    {272, u"Anmeldeskript"},
    {273, u"Terminalfenster anzeigen"},
    {274, u"Skript"},
    {275, u"Anmeldeskript verwenden"},
    {276, u"Benutzername"},
    {277, u"Bevorzugter Zugangspunkt"},
    {278, u"Neuer Zugangspunkt"},
    {279, u"Internet-Zugangspunkte"},
    // Common choices
    {288, u"Nein"},
    {289, u"Keine"},
    {290, u"0.0.0.0"},
    {291, u"OK"},
    // Printing
    {316, u"Provana-Konfiguration"},
    // SMS settings
    {323, u"SMS-Einstellungen"},
    {328, u"Neue SMS-Zentrale"},
    {329, u"Name der SMS-Zentrale"},
    {330, u"Rufnummer"},
    // Command descriptions
    {331, u"Die ausgewählten Elemente löschen"},
    {332, u"Eine neue Konfiguration erstellen"},
    {333, u"Die Konfiguration an das Telefon senden"},
    {334, u"Das Aktivitätsprotokoll anzeigen"},
    {335, u"Die Konfiguration an das mit diesem PC verbundene Telefon senden"},
    {336, u"Die Konfiguration drahtlos (over the air) senden"},
    {337, u"Die Konfiguration über einen Provisioning-Dienst senden"},
    // Telnet connections
    {339, u"Telnet-Verbindungen"},
    {340, u"Erweiterte Einstellungen"},
    {341, u"Rücktaste sendet"},
    {342, u"Rückschritt"},
    {343, u"Entf"},
    {344, u"Eingabetaste sendet"},
    {345, u"CR"},
    {346, u"CR+LF"},
    {347, u"LF"},
    {348, u"Lokales Echo"},
    {349, u"Aus"},
    {350, u"Ein"},
    {351, u"Zugangspunkt"},
    {352, u"Keine Verbindungen definiert"},
    {353, u"Hostname"},
    {354, u"Verbindungsname"},
    {355, u"Neue Telnet-Verbindung"},
    // Terminal connections
    {356, u"Terminalverbindungen"},
    {357, u"Erweiterte Einstellungen"},
    {358, u"Rücktaste sendet"},
    {359, u"Rückschritt"},
    {360, u"Entf"},
    {361, u"Im Zeichenmodus starten"},
    {362, u"Eingabetaste sendet"},
    {363, u"CR"},
    {364, u"CR+LF"},
    {365, u"LF"},
    {366, u"Modem-Initialisierungsbefehl"},
    {367, u"Lokales Echo"},
    {368, u"Aus"},
    {369, u"Ein"},
    {370, u"Verbindungsname"},
    {371, u"Rufnummer"},
    {372, u"Neue Terminalverbindung"},
    // Toolbar command texts
    {379, u"Senden"},
    {380, u"Neu"},
    {381, u"Öffnen"},
    {382, u"Speichern"},
    // Voice and fax mailboxes
    {384, u"Nummer der Faxmailbox"},
    {385, u"Nummer der Sprachmailbox"},
    // Messages
    {387, u"Die Konfiguration wurde geändert.\nMöchten Sie die Änderungen speichern?"},
    // WAP settings
    {388, u"WAP-Einstellungen"},
    {389, u"WAP-Lesezeichen"},
    {390, u"WAP-Lesezeichen"},
    {391, u"Hauptverbindungseinstellungen"},
    {392, u"Übertragungsart"},
    {393, u"Datenanruf"},
    {394, u"SMS"},
    {395, u"Verbindungsname"},
    {396, u"Einstellungen für Datenanruf"},
    {397, u"Gateway-Adresse"},
    {398, u"Zugangspunkt"},
    {399, u"Keine WAP-Verbindungen definiert"},
    {400, u"Einstellungen für SMS"},
    {401, u"Nummer der SMS-Zentrale"},
    {402, u"Dienstnummer"},
    {403, u"Sitzungstyp"},
    {404, u"Dauerhaft"},
    {405, u"Vorübergehend"},
    {406, u"Sichere Verbindung verwenden"},
    {417, u"Neue WAP-Verbindung"},
    // Bookmarks and common choices
    {418, u"WWW-Lesezeichen"},
    {419, u"WWW-Lesezeichen"},
    {420, u"Ja"},
    // Items
    {421, u"Zugangspunkt"},
    {422, u"Mailbox"},
    {423, u"WAP-Verbindung"},
    {425, u"Terminalverbindung"},
    {426, u"Telnet-Verbindung"},
    {429, u"SMS-Zentrale"},
    // Host
    {431, u"Telefoneinstellungen vorbereiten und an ein Telefon senden"},
    // About box
    {439, u"Über Provana"},
    // Internet access points
    {443, u"Keine Zugangspunkte definiert"},
    // Password confirmation
    {447, u"Passwort bestätigen"},
    // Proxy servers
    {449, u"Proxyserver"},
    {450, u"Kein HTTP-Proxy für"},
    {451, u"Port des HTTP-Proxys"},
    {452, u"HTTP-Proxyserver"},
    {453, u"HTTP-Proxy verwenden"},
    {454, u"Kein HTTPS-Proxy für"},
    {455, u"Port des HTTPS-Proxys"},
    {456, u"HTTPS-Proxyserver"},
    {457, u"HTTPS-Proxy verwenden"},
    // Categories
    {460, u"Persönliche Daten"},
    {462, u"BIO-Nachrichten"},
    {463, u"Extras"},
    // Item fields
    {464, u"Bevorzugte SMS-Zentrale"},
    {465, u"Absendername"},
    // In-place editing
    {471, u"Die Passwörter stimmen nicht überein. Das Passwort wurde nicht geändert."},
    {472, u"Der eingegebene Wert ist ungültig."},
    {473, u"Signatur"},
    {474, u"Drucken"},
    {475, u"Anmeldeskript"},
    {476, u"Signatur"},
    // Value column texts
    {480, u"%d Datei|%d Dateien"},
    {481, u"Keine Dateien"},
    {482, u"(Anmeldeskript)"},
    {484, u"Keine Mailboxen definiert"},
    {485, u"Keine SMS-Zentralen definiert"},
    // Sending
    {486, u"Keine Verbindung zum Verbindungsserver möglich. Stellen Sie sicher, dass die "
          u"Verbindungssoftware installiert ist und läuft."},
    {487, u"Eine andere Anwendung (%s) verwendet das Telefon. Schließen Sie sie und versuchen "
          u"Sie es erneut."},
    {489, u"Nicht verfügbar"},
    {492, u"%s:\n%s"},
    {494, u"%s wird gesendet..."},
    {495, u"Die Konfiguration wird gesendet..."},
    {496, u"%s wird kopiert..."},
    {497, u"(Signaturtext)"},
    {498, u"Anforderung von Lesebestätigungen zulassen"},
    // File dialogs and printing
    {501, u"Installationspakete"},
    {502, u"Bilder"},
    {503, u"Alle Dateien"},
    {504, u"Lesezeichendateien"},
    {505, u"Konfigurationsdateien"},
    {506, u"Druckvorschau"},
    {507, u"Seite %d von %d"},
    {508, u"%s wird installiert..."},
    {510, u"Lesezeichendatei"},
    // Transfer results
    {513, u"Die Übertragung wurde abgebrochen."},
    {514, u"Eine Datei konnte nicht auf das Telefon übertragen werden."},
    {519, u"Die Einstellung „%s“ ist ungültig:\n%s"},
    {521, u"Das Telefon hat die Übertragung angehalten."},
    // Bookmark import
    {540, u"Auf diesem Computer wurden keine Netscape Navigator-Lesezeichen gefunden."},
    {541, u"Die Lesezeichendatei konnte nicht geöffnet werden."},
    {546, u"Diese Antwort für alle weiteren Einstellungen verwenden"},
    // File transfer
    {550, u"Dateiübertragung"},
    {551, u"Betreiberlogo"},
    {552, u"Klingeltöne"},
    {553, u"Klingelton"},
    {554, u"Installationspakete"},
    {555, u"Installationspaket"},
    {556, u"Hintergrundbilder"},
    {557, u"Hintergrundbild"},
    {558, u"Andere Dateien"},
    {559, u"Datei"},
    {560, u"Lokale Datei"},
    {561, u"Telefonordner"},
    {564, u"WWW-Lesezeichen"},
    {565, u"Diese Antwort für alle weiteren Dateien verwenden"},
    {566, u"Die Datei wurde nicht gefunden."},
    {567, u"Auf dem Telefon ist nicht genügend Speicher frei."},
    {568, u"WAP-Lesezeichen"},
    {569, u"Die Datei konnte nicht auf das Telefon geschrieben werden."},
    {570, u"Das Telefon unterstützt diese Konfiguration nicht."},
    {571, u"Die Softwareversion des Telefons wird nicht unterstützt."},
    {575, u"Das Senden der Konfiguration ist fehlgeschlagen."},
    {576, u"Das Telefon hat nicht geantwortet."},
    {578, u"Es ist kein Telefon verbunden."},
    {581, u"Senden wird vorbereitet..."},
    {582, u"Die Verbindung zum Telefon wurde unterbrochen."},
    {583, u"Die Kommunikation mit dem Telefon ist fehlgeschlagen."},
    // Bookmark dialogs
    {584, u"%d Lesezeichen|%d Lesezeichen"},
    {585, u"Geben Sie einen Namen für das Lesezeichen ein. Jedes Lesezeichen braucht einen "
          u"eigenen Namen."},
    {586, u"Geben Sie eine gültige URL für das Lesezeichen ein, zum Beispiel "
          u"http://www.example.com/."},
    {587, u"Der Benutzername darf höchstens 50 Zeichen lang sein."},
    {588, u"Das Passwort darf höchstens 20 Zeichen lang sein."},
    {589, u"Wählen Sie die WAP-Verbindung aus, die das Lesezeichen verwendet."},
    {590, u"Das Telefon ist belegt. Versuchen Sie es später erneut."},
    {591, u"Telefonordner"},
    {592, u"Der Telefonordner muss mit einem Laufwerksbuchstaben und einem Doppelpunkt "
          u"beginnen, zum Beispiel C:\\, und darf keines dieser Zeichen enthalten: "
          u"\" * / < > ? |"},
    // Document messages
    {593, u"Das Aktivitätsprotokoll ist nicht vorhanden oder konnte nicht geöffnet werden."},
    {594, u"Die Datei konnte nicht auf das Telefon kopiert werden."},
    {595, u"Wird abgebrochen..."},
    {596, u"Das Element kann nicht gelöscht werden, weil es in %s verwendet wird."},
    {597, u"Die Datei konnte nicht gelesen werden."},
    {598, u"Die Datei ist keine Konfigurationsdatei oder sie ist beschädigt."},
    {599, u"Die Datei konnte nicht gespeichert werden."},
    {600, u"Einige Werte in der Datei waren ungültig und wurden korrigiert. Prüfen Sie die "
          u"Einstellungen, bevor Sie die Konfiguration senden."},
    {601, u"Konfigurationsdatei öffnen"},
    {602, u"Konfiguration speichern"},
    {603, u"Konfiguration drucken"},
    {604, u"Keine Lesezeichen"},
    {605, u"Unbenannt"},
    // Bookmark fields
    {606, u"Name"},
    {607, u"URL"},
    {608, u"Passwort"},
    {609, u"Benutzername"},
    {610, u"WAP-Verbindung"},
    {611, u"Name"},
    {612, u"URL"},
    // Phone settings results
    {614, u"Das Telefon konnte die Konfiguration nicht lesen."},
    {615, u"Das Telefon konnte die Einstellungen nicht speichern."},
    {616, u"Auf dem Telefon ist kein Platz für weitere Einstellungen."},
    {617, u"Das Telefon hat eine Einstellung abgelehnt."},
    // Printed WAP bookmark fields
    {618, u"WAP-Verbindung"},
    {619, u"Benutzername"},
    {620, u"Passwort"},
    {621, u"Das Telefon hat die Konfiguration abgelehnt."},
    // Phone language number
    {622, u"3"},

    // Command-line tool
    {40000, u"Aufruf: provana BEFEHL [ARGUMENTE]\n"
            u"\n"
            u"Erstellt die Einstellungen von EPOC-Smartphones als Konfigurationsdateien.\n"
            u"\n"
            u"Befehle:\n"
            u"  new DATEI                Eine neue Konfiguration mit den Standardeinstellungen "
            u"schreiben.\n"
            u"  convert EIN AUS          EIN öffnen, ungültige Werte korrigieren, als AUS "
            u"speichern.\n"
            u"  check DATEI [--sending [--all]]\n"
            u"                           Die Werte einer Konfiguration prüfen.\n"
            u"  show DATEI [--all]       Den Einstellungsbaum anzeigen.\n"
            u"  diff A B [--all]         Die Unterschiede zwischen zwei Konfigurationen "
            u"auflisten.\n"
            u"  get DATEI PFAD           Den Wert einer Einstellung ausgeben.\n"
            u"  set DATEI PFAD WERT      Den Wert einer Einstellung ändern.\n"
            u"  add DATEI KATEGORIE NAME Einen benannten Zugangspunkt, eine Mailbox, eine "
            u"WAP-Verbindung oder eine SMS-Zentrale hinzufügen.\n"
            u"  include DATEI PFAD on|off\n"
            u"                           Eine Einstellung ein- oder ausschließen, wie es ihr "
            u"Kontrollkästchen im Editor tut.\n"
            u"  text DATEI               Die Konfiguration so ausgeben, wie sie an das Telefon "
            u"gesendet wird.\n"
            u"  folders [SPRACHE]        Die vorgeschlagenen Telefonordner für Dateien "
            u"auflisten.\n"
            u"  files DATEI [...]        Die auf das Telefon zu kopierenden Dateien auflisten, "
            u"hinzufügen oder entfernen.\n"
            u"  print DATEI --pdf AUS|--lines [--range all|included]\n"
            u"                           Die Einstellungsliste als PDF oder als Zeilen "
            u"ausgeben.\n"
            u"  send DATEI [...]         Die Konfiguration an das verbundene Telefon senden.\n"
            u"  bookmarks DATEI [...]    Die Lesezeichen auflisten oder aus einem Browser "
            u"importieren.\n"
            u"  variants VORLAGE TABELLE AUSORDNER [--force] [--check]\n"
            u"                           Eine Konfiguration je Tabellenzeile erstellen.\n"
            u"  --help                   Diese Hilfe anzeigen; BEFEHL --help zeigt die Hilfe zu "
            u"einem Befehl.\n"
            u"  --version                Die Version anzeigen.\n"
            u"\n"
            u"Ein PFAD benennt eine Einstellung durch ihre mit \"/\" verbundenen Elementnamen. "
            u"Eckige Klammern wählen ein Element nach seinem Namen oder seiner Position:\n"
            u"  IAPSettings/IAPConnection[Office]/DataCall/ConnectionType\n"
            u"  PersonalData/WWWBookmarks/WWWBookmark[2]/URL\n"
            u"\n"
            u"Rückgabewert: 0 Erfolg, 1 eine Prüfung schlug fehl oder eine Änderung wurde "
            u"abgelehnt, 2 falscher Aufruf, 3 eine Datei konnte nicht gelesen werden, ist keine "
            u"Konfiguration oder konnte nicht geschrieben werden, 4 das Telefon oder der "
            u"Verbindungsserver war nicht erreichbar.\n"},
    {40001, u"provana: unbekannter Befehl „%s“. „provana --help“ listet die Befehle auf."},
    {40010, u"Aufruf: provana new DATEI\n"
            u"\n"
            u"Schreibt eine neue Konfiguration mit den Standardeinstellungen in DATEI. Eine "
            u"vorhandene Datei wird ersetzt.\n"},
    {40011, u"Aufruf: provana convert EIN AUS\n"
            u"\n"
            u"Öffnet die Konfiguration EIN, wie der Editor sie öffnet, korrigiert dabei "
            u"ungültige Werte und speichert sie als AUS.\n"},
    {40012, u"Aufruf: provana check DATEI [--sending [--all]]\n"
            u"\n"
            u"Prüft die Werte einer Konfiguration wie beim Öffnen und listet jeden Wert auf, der "
            u"korrigiert werden musste, einen je Zeile als PFAD: alt -> neu. Gibt 1 zurück, "
            u"wenn es einen solchen Wert gab.\n"
            u"\n"
            u"Mit --sending werden die eingeschlossenen Einstellungen wie beim Senden geprüft "
            u"und die erste ungültige gemeldet. Mit --sending --all wird jede ungültige "
            u"eingeschlossene Einstellung aufgelistet, eine je Zeile als PFAD: Meldung.\n"},
    {40013, u"Aufruf: provana show DATEI [--all]\n"
            u"\n"
            u"Zeigt den Einstellungsbaum so, wie der Editor ihn zeigt: [x] kennzeichnet "
            u"eingeschlossene Einstellungen. Mit --all werden auch verborgene Einstellungen "
            u"gezeigt.\n"},
    {40014, u"Aufruf: provana get DATEI PFAD\n"
            u"\n"
            u"Gibt den gespeicherten Wert der Einstellung unter PFAD aus (Passwörter im "
            u"Klartext).\n"},
    {40015, u"Aufruf: provana set DATEI PFAD WERT\n"
            u"\n"
            u"Ändert den Wert der Einstellung unter PFAD so, als würde er im Editor eingegeben, "
            u"und speichert die Datei: Zeichen, die die Einstellung nicht annimmt, entfallen, "
            u"Zahlen bleiben in ihren Grenzen, ein Text, der länger ist, als die Einstellung "
            u"fasst, wird mit einer Warnung passend gekürzt (ein Skript oder eine Signatur in "
            u"der gespeicherten Form, ein Zeilenvorschub je Zeilenumbruch), eine Auswahl wird "
            u"über ihren Wert oder den im Editor angezeigten Text benannt, und eine Einstellung, "
            u"deren Wert sich geändert hat, wird eingeschlossen. Ein Wert, den der Editor "
            u"ablehnt, wird mit dessen Meldung abgelehnt, und die Datei bleibt unverändert "
            u"(Rückgabewert 1).\n"},
    {40016, u"Aufruf: provana add DATEI KATEGORIE NAME\n"
            u"\n"
            u"Fügt KATEGORIE ein neues Element namens NAME hinzu und speichert die Datei. "
            u"KATEGORIE ist IAPSettings, EMailSettings, WAPSettings oder SMSSettings.\n"},
    {40017, u"Aufruf: provana text DATEI\n"
            u"\n"
            u"Gibt die Konfiguration so aus, wie sie an das Telefon gesendet wird: nur "
            u"Zeilenvorschübe, keine Bytereihenfolge-Markierung, in UTF-8.\n"},
    {40018, u"Aufruf: provana folders [SPRACHE]\n"
            u"\n"
            u"Listet die fünf für Dateien vorgeschlagenen Telefonordner für eine "
            u"Telefonsprachnummer auf (1 Englisch, 2 Französisch, 3 Deutsch, ...). Ohne SPRACHE "
            u"wird die Sprache dieser Installation verwendet.\n"},
    {40019, u"Aufruf: provana include DATEI PFAD on|off\n"
            u"\n"
            u"Schließt die Einstellung unter PFAD ein (on) oder aus (off), wie ein Klick auf ihr "
            u"Kontrollkästchen im Editor, und speichert die Datei. Das Einschließen einer "
            u"Einstellung schließt auch die Einstellungen darüber und die Pflichteinstellungen "
            u"ihres Elements ein; das Ausschließen der letzten eingeschlossenen Einstellung einer "
            u"Gruppe schließt auch die Gruppe aus. Eine Änderung, die die Regeln nicht erlauben "
            u"(eine Pflichteinstellung, eine Einstellung, die nicht zutrifft, eine leere Liste), "
            u"wird mit der Begründung abgelehnt, und die Datei bleibt unverändert.\n"},
    {40020, u"Aufruf: provana files DATEI\n"
            u"       provana files DATEI --add KATEGORIE LOKAL...\n"
            u"       provana files DATEI --add Files LOKAL ZIEL\n"
            u"       provana files DATEI --remove KATEGORIE N\n"
            u"\n"
            u"Ohne Optionen werden die auf das Telefon zu kopierenden Dateien aufgelistet, eine "
            u"je Zeile: die Kategorie (RingingTones, BackgroundImages, SISFiles oder Files), ein "
            u"Tabulator, die Datei auf diesem Computer und bei Files ein Tabulator und der "
            u"Telefonordner.\n"
            u"--add fügt Dateien, die auf diesem Computer vorhanden sind, so hinzu, wie es "
            u"Hinzufügen und OK in der Dateiliste tun: Eine Datei, die in ihrer Kategorie schon "
            u"aufgeführt ist, wird übersprungen, und ein Eintrag in Files erhält den "
            u"Telefonordner ZIEL, der mit einem Laufwerksbuchstaben und einem Doppelpunkt "
            u"beginnt (C:\\Documents\\), und wird übersprungen, wenn dieselbe Datei schon in "
            u"diesen Ordner geht. --remove entfernt den N-ten Eintrag (1 ist der erste) von "
            u"KATEGORIE. Danach wird die Kategorie eingeschlossen, wenn sie Einträge hat, und "
            u"ausgeschlossen, wenn sie keine hat, und die Datei wird gespeichert.\n"},
    {40021, u"Aufruf: provana bookmarks DATEI [--wap]\n"
            u"       provana bookmarks DATEI --import QUELLE\n"
            u"\n"
            u"Ohne Optionen werden die WWW-Lesezeichen (mit --wap die WAP-Lesezeichen) in ihrer "
            u"gespeicherten Reihenfolge aufgelistet, eines je Zeile: der Name, ein Tabulator und "
            u"die URL; WAP-Lesezeichen ergänzen einen Tabulator und die Verbindung, einen "
            u"Tabulator und den Benutzernamen.\n"
            u"--import fügt die WWW-Lesezeichen von QUELLE so hinzu, wie es Importieren und OK in "
            u"der Lesezeichenliste tun: Ein Lesezeichen, dessen Name schon aufgeführt ist oder "
            u"dessen URL ungültig ist, wird übersprungen; ausgegeben wird, wie viele hinzugefügt "
            u"und übersprungen wurden, und die Datei wird gespeichert. QUELLE ist eine "
            u"Lesezeichendatei im Netscape-HTML-Format, das Browser exportieren, oder eines "
            u"von:\n"
            u"  favorites[=ORDNER]  die .url-Dateien des Favoritenordners ($PROVANA_FAVORITES "
            u"oder ~/Favorites)\n"
            u"  netscape            die Lesezeichendatei, die die Registrierung für Netscape "
            u"Navigator nennt\n"
            u"  firefox[=PLACES]    places.sqlite des Standardprofils von Firefox\n"
            u"  chromium[=DATEI]    die Datei Bookmarks der Standardprofile von Chromium und "
            u"Google Chrome\n"
            u"Eine Quelle, die nicht gelesen werden kann, lässt die Datei unverändert und gibt 3 "
            u"zurück.\n"},
    {40022, u"Aufruf: provana print DATEI --pdf AUS [--range all|included]\n"
            u"       provana print DATEI --lines [--range all|included]\n"
            u"\n"
            u"Druckt die Einstellungen einer Konfiguration, wie es Drucken im Editor tut: eine "
            u"Zeile je Einstellung mit Bezeichnung und Wert, eingerückt wie im Baum, mit "
            u"Dateiname und Seitenzahlen auf jeder Seite. Passwörter erscheinen als ********.\n"
            u"--pdf schreibt die Liste in die PDF-Datei AUS, auf dem Papierformat dieses "
            u"Gebietsschemas (A4 oder Letter); weder Bildschirm noch Drucker sind nötig.\n"
            u"--lines gibt die gespeicherten Zeilen der Liste für eine A4-Seite bei 600 dpi aus, "
            u"gemessen in einer Schrift mit fester Zeichenbreite, eine Listenzeile je "
            u"Ausgabezeile: jeder Textabschnitt als b (fett) oder n (normal), seine x-Position "
            u"in sechs Ziffern und sein Text.\n"
            u"--range wählt die Einstellungen: alle Einstellungen oder nur die eingeschlossenen "
            u"(Standard). Eine Liste ohne Einstellungen schreibt nichts und gibt 1 zurück.\n"},
    {40023, u"Aufruf: provana send DATEI [--answer overwrite|skip|cancel] [--option 1|2|3]\n"
            u"\n"
            u"Sendet die Konfiguration an das Telefon, das mit dem Verbindungsserver verbunden "
            u"ist, wie es Senden im Editor tut: Zuerst werden die eingeschlossenen Einstellungen "
            u"geprüft, und ein Server wird gestartet, wenn keiner antwortet. Der Fortschritt geht "
            u"an die Standardfehlerausgabe.\n"
            u"Eine Frage zu einer Datei, die schon auf dem Telefon ist oder nicht gelesen werden "
            u"kann, beantwortet --answer, sonst wird sie im Terminal gestellt (ein "
            u"Großbuchstabe behält die Antwort für den Rest der Übertragung bei); ohne Terminal "
            u"wird die Datei übersprungen. Strg+C bricht die Übertragung ab.\n"
            u"--option 2 und 3 wählen die anderen Sendewege, die den Server nie erreichen.\n"
            u"\n"
            u"Rückgabewert: 0 das Telefon hat die Konfiguration erhalten, 1 eine Einstellung ist "
            u"ungültig oder die Übertragung schlug fehl oder wurde abgebrochen, 4 der Server oder "
            u"das Telefon war nicht erreichbar oder eine andere Anwendung belegt das Telefon.\n"},
    {40024, u"Aufruf: provana variants VORLAGE TABELLE AUSORDNER [--force] [--check]\n"
            u"\n"
            u"Erstellt aus der Konfiguration VORLAGE eine Konfiguration je Zeile von TABELLE. "
            u"TABELLE ist eine CSV-Datei (Felder getrennt durch ein Komma oder ein Semikolon, je "
            u"nachdem, was die Kopfzeile verwendet; ein Feld in doppelten Anführungszeichen darf "
            u"Trennzeichen, Zeilenumbrüche und verdoppelte Anführungszeichen enthalten; UTF-8) "
            u"oder, wenn ihr Name auf .tsv endet, durch Tabulatoren getrennt. Die Kopfzeile "
            u"benennt Einstellungen wie provana set; eine Spalte namens file gibt den Dateinamen "
            u"jeder Zeile an (Standard: die Zeilennummer, mit Nullen aufgefüllt). In jeder Zeile "
            u"wird jede nicht leere Zelle in Spaltenreihenfolge so gespeichert, wie provana set "
            u"sie speichert, und das Ergebnis als AUSORDNER/NAME.xml gespeichert.\n"
            u"Eine Zeile mit einem abgelehnten Wert schreibt nichts und wird als „Zeile N, "
            u"SPALTE: MELDUNG“ gemeldet; die übrigen Zeilen werden trotzdem geschrieben. Eine "
            u"vorhandene Datei bleibt erhalten, außer mit --force, und eine Datei, die eine "
            u"frühere Zeile erstellt hat, wird nicht noch einmal erstellt. --check lehnt "
            u"außerdem eine Zeile ab, deren Konfiguration die Prüfung vor dem Senden "
            u"ablehnen würde.\n"
            u"Gibt 1 zurück, wenn eine Zeile nicht geschrieben wurde, 2, wenn eine Kopfzeile "
            u"keine Einstellung benennt (bevor etwas geschrieben wird), 3, wenn die Vorlage oder "
            u"die Tabelle nicht gelesen werden kann.\n"},
    {40026, u"Aufruf: provana diff A B [--all]\n"
            u"\n"
            u"Listet jeden Unterschied zwischen den Konfigurationen A und B so auf, wie der "
            u"Einstellungsbaum sie zeigt, mit den Werten, wie die Dateien sie speichern: PFAD: "
            u"alt -> neu für einen Wert (ein Passwort als ********), PFAD: included -> excluded "
            u"(oder umgekehrt) für ein Kontrollkästchen, + PFAD für ein Element oder einen "
            u"Listeneintrag, den nur B hat, und - PFAD für einen, den nur A hat. Elemente werden "
            u"über ihre Namen zugeordnet, ihre Reihenfolge ist also kein Unterschied. Mit --all "
            u"werden auch verborgene Einstellungen verglichen.\n"
            u"\n"
            u"Gibt 0 zurück, wenn sie gleich sind, 1, wenn sie sich unterscheiden, und 3, wenn "
            u"eine nicht gelesen werden kann.\n"},
    {40030, u"provana: %s: %s"},
    {40031, u"provana: Keine Einstellung passt zum Pfad „%s“."},
    {40032, u"%s: %s -> %s"},
    {40033, u"provana %s: falsche Argumente. „provana %s --help“ zeigt den Aufruf."},
    {40034, u"provana add: „%s“ ist keine Kategorie benannter Elemente. Verwenden Sie "
            u"IAPSettings, EMailSettings, WAPSettings oder SMSSettings."},
    {40035, u"Der Name „%s“ wird in %s bereits verwendet. Wählen Sie einen anderen Namen."},
    {40036, u"„%s“ kann nicht als Name verwendet werden. Wählen Sie einen anderen Namen."},
    {40037, u"%s enthält eine Liste und hat keinen eigenen Wert."},
    {40038, u"provana folders: „%s“ ist keine Sprachnummer."},
    {40039, u"Der Wert „%s“ wurde abgelehnt."},
    {40040, u"provana include: „%s“ ist weder on noch off."},
    {40041, u"„%s“ ist Pflicht, solange „%s“ eingeschlossen ist, und kann nicht "
            u"ausgeschlossen werden."},
    {40042, u"„%s“ trifft bei den aktuellen Einstellungen nicht zu und kann weder ein- noch "
            u"ausgeschlossen werden."},
    {40043, u"„%s“ ist eine leere Liste und kann nicht eingeschlossen werden."},
    {40044, u"„%s“ kann hier weder ein- noch ausgeschlossen werden."},
    {40045, u"provana files: „%s“ ist keine Dateiliste. Verwenden Sie RingingTones, "
            u"BackgroundImages, SISFiles oder Files."},
    {40046, u"provana files: „%s“ ist keine Datei auf diesem Computer."},
    {40047, u"provana files: %s hat keinen Eintrag %s."},
    {40048, u"%s: %d hinzugefügt, %d bereits aufgeführt."},
    {40049, u"%d Lesezeichen hinzugefügt, %d übersprungen."},
    {40050, u"provana %s: %s fasst höchstens %d Zeichen; der Wert wurde passend gekürzt."},
    {40060, u"provana print: %s hat in diesem Bereich keine Einstellungen zum Drucken."},
    {40061, u"provana print: „%s“ ist weder all noch included."},
    {40062, u"provana print: %s konnte nicht geschrieben werden."},
    {40070, u"provana send: „%s“ ist keine Antwort. Verwenden Sie overwrite, skip oder "
            u"cancel."},
    {40071, u"provana send: „%s“ ist keine Sendeoption. Verwenden Sie 1, 2 oder 3."},
    {40072, u"[s] überspringen, [o] überschreiben, [r] wiederholen oder [c] abbrechen (ein "
            u"Großbuchstabe behält die Antwort für den Rest bei): "},
    {40080, u"%s: excluded -> included"},
    {40081, u"%s: included -> excluded"},
    {40082, u"+ %s"},
    {40083, u"- %s"},
    {40084, u"%s: %s"},
    {40090, u"keine Tabelle: Ein Anführungszeichen ist nicht geschlossen, der Text ist kein "
            u"UTF-8 oder es gibt keine Kopfzeile."},
    {40091, u"Zeile %d, %s: %s"},
    {40092, u"Zeile %d: %s"},
    {40093, u"Die Zeile hat mehr Zellen, als die Kopfzeile Spalten hat."},
    {40094, u"„%s“ kann keine Datei im Ausgabeordner benennen."},
    {40095, u"%s ist vorhanden und wurde beibehalten; --force ersetzt die Datei."},
    {40096, u"provana variants: %d von %d Zeilen..."},
    {40097, u"Zeile %d erstellt diese Datei bereits."},

    // Dialog buttons and texts
    {41000, u"OK"},
    {41001, u"Abbrechen"},
    {41002, u"Hilfe"},
    {41010, u"Copyright \u00a9 Talvik. Alle Rechte vorbehalten."},
    {41020, u"Geben Sie das Passwort zur Bestätigung erneut ein:"},
    {41030, u"Aus Datei laden..."},
    {41040, u"Überspringen"},
    {41041, u"Ersetzen"},
    {41042, u"Wiederholen"},
    {41043, u"Abbrechen"},
    {41060, u"„%s“ ist keine der Auswahlmöglichkeiten von %s."},
    {41061, u"%s hat keinen Wert, der eingegeben werden kann."},
    {41070, u"Zu übertragende Datei"},
    {41071, u"Datei auf diesem Computer:"},
    {41072, u"Telefonordner:"},
    {41073, u"Durchsuchen..."},
    {41074, u"&Hinzufügen..."},
    {41075, u"&Bearbeiten..."},
    {41076, u"&Entfernen"},
    {41077, u"Wählen Sie eine Datei, die auf diesem Computer vorhanden ist."},
    {41078, u"Diese Datei ist bereits in der Liste."},

    // Bookmark import and bookmark dialogs
    {41080, u"Lesezeichen importieren"},
    {41081, u"Favoritenordner von Internet Explorer"},
    {41082, u"Netscape Navigator"},
    {41083, u"Lesezeichendatei:"},
    {41084, u"Firefox"},
    {41085, u"Chromium oder Google Chrome"},
    {41086, u"&Importieren..."},
    {41087, u"Lesezeichendatei auswählen"},
    {41088, u"Der Favoritenordner %s wurde nicht gefunden."},
    {41089, u"Auf diesem Computer wurden keine Firefox-Lesezeichen gefunden."},
    {41090, u"Auf diesem Computer wurden keine Lesezeichen von Chromium oder Google Chrome "
            u"gefunden."},
    {41091, u"&Name:"},
    {41092, u"&URL:"},
    {41093, u"&Verbindung:"},
    {41094, u"&Benutzername:"},
    {41095, u"&Passwort:"},
    {41100, u"Eingeschlossene Einstellungen"},
    // Sending
    {41120, u"Dieser Sendeweg führt nicht über den Verbindungsserver. Wählen Sie die erste "
            u"Sendeoption, um die Konfiguration an ein verbundenes Telefon zu senden."},
    // Send dialog
    {41160, u"An Telefon senden"},
    {41161, u"Telefonname:"},
    {41162, u"IMEI:"},
    {41163, u"Rufnummer:"},
    // Mailbox message size
    {41170, u"%s kB"},
    {41180, u"Gesendet an %s: %s Einstellungen, %s Dateien"},
    {41181, u"Abgebrochen. Es war noch nichts beim Telefon angekommen."},
    {41182, u"Abgebrochen. Bereits auf dem Telefon: %s Einstellungen (%s), %s Dateien."},
    {41183, u"Schließen"},
    {41184, u"Sein Ordner liegt auf keinem Laufwerk des Telefons."},
    {41185, u"Das Telefon lässt seinen Namen nicht zu."},
    {41186, u"%s:\n%s ist bereits auf dem Telefon, in %s"},
    {41187, u"Die Einstellung „%s“ von „%s“ ist ungültig:\n%s"},
    {41188, u"Die Einstellung „%s“ ist ungültig:\n%s"},
    {41189, u"Sie braucht einen Wert."},
    {41190, u"„%s“ ist dafür kein gültiger Wert."},
    {41191, u"„Over the Air“ sendet Einstellungen über das Netz des Mobilfunkanbieters, das "
            u"dieser Computer nicht erreicht; es wurde nichts gesendet. Um die Konfiguration an "
            u"das mit diesem Computer verbundene Telefon zu senden, wählen Sie Tools > Send Via > "
            u"Cable, Infrared or Bluetooth."},
    {41192, u"Der Provisioning Service übergibt Konfigurationen einem Bereitstellungsserver, den "
            u"dieser Computer nicht erreicht; es wurde nichts gesendet. Um die Konfiguration an "
            u"das mit diesem Computer verbundene Telefon zu senden, wählen Sie Tools > Send Via > "
            u"Cable, Infrared or Bluetooth."},
    {41193, u"Seite %s von %s wird gedruckt..."},
    // Rückgängig und Wiederholen
    {41200, u"&Rückgängig: %s"},
    {41201, u"&Wiederholen: %s"},
    {41202, u"&Rückgängig"},
    {41203, u"&Wiederholen"},
    {41204, u"\"%s\" ändern"},
    {41205, u"\"%s\" einbeziehen"},
    {41206, u"\"%s\" ausschließen"},
    {41207, u"\"%s\" löschen"},
    {41208, u"%d Elemente löschen"},
    {41209, u"\"%s\" hinzufügen"},
    {41210, u"\"%s\" einfügen"},
    {41211, u"%d Elemente einfügen"},
    {41212, u"\"%s\" ausschneiden"},
    {41213, u"%d Elemente ausschneiden"},
    // Öffnen einer Datei
    {41220, u"Die Datei endet vor dem Ende der Konfiguration: Zeile %d"},
    {41221, u"Das Lesbare als neues, unbenanntes Dokument öffnen?"},
    {41222, u"%s konnte nicht geöffnet werden."},
    // Löschen, Ausschneiden und Einfügen von Elementen
    {41223, u"\"%s\" löschen?"},
    {41224, u"%d Elemente löschen?"},
    {41225, u"Nicht mehr fragen"},
    {41226, u"Die Zwischenablage enthält keine Elemente zum Einfügen."},
    {41227, u"&Vor dem Löschen fragen"},
    // Problems panel
    {41400, u"Probleme"},
    {41401, u"Pro&bleme"},
    {41402, u"Einstellung"},
    {41403, u"Pfad"},
    {41404, u"Meldung"},
    {41405, u"Nur &eingeschlossene"},
    {41406, u"&Alle Einstellungen"},
    {41407, u"Ungültige Einstellungen: %d"},
    {41408, u"Aus&blenden"},
    // Variants dialog
    {41420, u"&Varianten erstellen..."},
    {41421, u"Varianten erstellen"},
    {41422, u"&Tabelle:"},
    {41423, u"&Zielordner:"},
    {41424, u"&Durchsuchen..."},
    {41425, u"D&urchsuchen..."},
    {41426, u"Zeile"},
    {41427, u"Datei"},
    {41428, u"Status"},
    {41429, u"ok"},
    {41430, u"&Erstellen"},
    {41431, u"Tabellen (*.csv *.tsv);;Alle Dateien (*)"},
    {41432, u"%d von %d Konfigurationen erstellt."},
    {41433, u"Abgebrochen: %d von %d Konfigurationen erstellt."},
    {41434, u"Ze&ilen:"},
    {41435, u"Die Tabelle kann nicht gelesen werden."},
    {41436, u"Diese Spalten nennen keine Einstellung: %s"},
    {41437, u"%s: Die Einstellung speichert für diesen Text nichts."},
    {41438, u"Die Zeile hat mehr Zellen als die Kopfzeile."},
    {41439, u"Der Dateiname ist ungültig."},
    {41440, u"Zeile %d erstellt dieselbe Datei."},
    {41441, u"Die Datei existiert und bleibt erhalten."},
    {41442, u"Die Datei konnte nicht geschrieben werden."},
    {41443, u"Bereits vorhandene Dateien dieser Zeilen: %d. Ersetzen?"},
    // Language: the numbers that take a count's first plural form
    {41450, u"1"},
    // Bookmark import
    {41451, u"%d hinzugefügt, %d übersprungen"},
    {41452, u"Die Liste enthält bereits ein Lesezeichen mit diesem Namen. Jedes Lesezeichen "
            u"braucht einen eigenen Namen."},
    // What an editor did with a value or a typed character
    {41453, u"Buchstaben sind in Rufnummern nicht erlaubt"},
    {41454, u"„%s“ ist in %s nicht erlaubt"},
    {41455, u"Ein Pluszeichen ist nur am Anfang von %s erlaubt"},
    {41456, u"In %s sind nur Ziffern erlaubt"},
    {41457, u"%s auf %d begrenzt"},
    {41458, u"%s auf %d angehoben"},
    {41459, u"%s auf %d Zeichen gekürzt"},
    // Framework
    {61441, u"Speichern unter"},
};

} // namespace

const LangTable gLangTable = MakeLangTable(kStrings);
