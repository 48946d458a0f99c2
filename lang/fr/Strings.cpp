// French texts of the user interface, by string identifier.
#include "../common/LangModule.h"

namespace {

constexpr LangString kStrings[] = {
    // Product
    {101, u"Provana version"},
    {112, u"Provana"},
    // Bookmark list columns
    {115, u"Nom"},
    {116, u"URL"},
    // Personal data
    {119, u"Agenda"},
    // Header band
    {125, u"Configuration :"},
    // Personal data
    {128, u"Contacts et agenda"},
    {129, u"Contacts"},
    {135, u"Transférer les photos des contacts"},
    // E-mail settings
    {140, u"Paramètres e-mail"},
    {151, u"Paramètres avancés"},
    {152, u"Autoriser les demandes d'accusé de lecture"},
    {153, u"Envoyer une copie à ma propre adresse"},
    {154, u"Chemin du dossier IMAP4"},
    {155, u"Envoi des messages"},
    {156, u"Immédiatement"},
    {157, u"À la prochaine connexion"},
    {158, u"Sur demande"},
    {159, u"Demander un accusé de lecture"},
    {160, u"Inclure une signature"},
    {161, u"Ma carte de visite"},
    {162, u"Signature personnalisée"},
    {163, u"Non"},
    {164, u"Utiliser SSL"},
    {165, u"Format des messages"},
    {166, u"HTML"},
    {167, u"Texte brut"},
    {168, u"Texte brut sans MIME"},
    {169, u"Connexion sécurisée APOP"},
    {171, u"Adresse e-mail"},
    {172, u"Confirmer le mot de passe"},
    {173, u"Point d'accès"},
    {175, u"Nom de la boîte aux lettres"},
    {176, u"Aucun point d'accès défini"},
    {177, u"Mot de passe"},
    {178, u"Nom d'utilisateur"},
    {179, u"Récupération du courrier"},
    {180, u"Récupérer"},
    {181, u"Taille maximale des messages"},
    {182, u"10"},
    {183, u"Messages"},
    {184, u"Messages et pièces jointes"},
    {185, u"En-têtes seulement"},
    {186, u"Serveurs"},
    {187, u"IMAP4"},
    {188, u"Serveur de courrier entrant"},
    {189, u"Serveur de courrier sortant"},
    {190, u"POP3"},
    {191, u"Type de boîte aux lettres"},
    {192, u"Boîte aux lettres préférée"},
    {204, u"Informations de la boîte"},
    {205, u"Nouvelle boîte aux lettres"},
    // File list columns
    {217, u"Nom du fichier"},
    {219, u"Dossier"},
    {221, u"Nouvel élément"},
    // Internet access points
    {224, u"Options d'adresse"},
    {225, u"Obtenir les adresses DNS automatiquement"},
    {226, u"Obtenir l'adresse IP automatiquement"},
    {227, u"Adresse IP"},
    {228, u"Serveur DNS principal"},
    {229, u"Serveur DNS secondaire"},
    {230, u"Rappel"},
    {231, u"Numéro spécifié"},
    {232, u"Numéro du serveur (IETF)"},
    {233, u"Numéro de rappel"},
    {234, u"Numéro du serveur"},
    {235, u"Type de rappel"},
    {236, u"Utiliser le rappel"},
    {237, u"Confirmer le mot de passe"},
    {238, u"Nom de la connexion"},
    {239, u"Appel de données"},
    {240, u"14400"},
    {241, u"19200"},
    {242, u"28800"},
    {243, u"38400"},
    {244, u"43200"},
    {245, u"9600"},
    {246, u"Analogique"},
    {247, u"Automatique"},
    {248, u"Haut débit"},
    {249, u"Chaîne d'initialisation du modem"},
    {250, u"RNIS V.110"},
    {251, u"RNIS V.120"},
    {252, u"Vitesse de connexion maximale"},
    {253, u"Type de modem distant"},
    {254, u"Normal"},
    {255, u"Autoriser les changements de vitesse"},
    {256, u"Type d'appel de données"},
    {258, u"Autres paramètres"},
    {259, u"Utiliser la compression PPP"},
    {260, u"Autoriser l'identification en clair"},
    {261, u"Mot de passe"},
    {262, u"Numéro de téléphone"},
    {263, u"Demander le mot de passe"},
    {272, u"Script de connexion"},
    {273, u"Afficher la fenêtre du terminal"},
    {274, u"Script"},
    {275, u"Utiliser un script de connexion"},
    {276, u"Nom d'utilisateur"},
    {277, u"Point d'accès préféré"},
    {278, u"Nouveau point d'accès"},
    {279, u"Points d'accès Internet"},
    // Common choices
    {288, u"Non"},
    {289, u"Aucun"},
    {290, u"0.0.0.0"},
    {291, u"OK"},
    // Printing
    {316, u"Configuration Provana"},
    // SMS settings
    {323, u"Paramètres SMS"},
    {328, u"Nouveau centre SMS"},
    {329, u"Nom du centre SMS"},
    {330, u"Numéro de téléphone"},
    // Command descriptions
    {331, u"Supprimer les éléments sélectionnés"},
    {332, u"Créer une nouvelle configuration"},
    {333, u"Envoyer la configuration au téléphone"},
    {334, u"Afficher le journal d'activité"},
    {335, u"Envoyer la configuration au téléphone connecté à ce PC"},
    {336, u"Envoyer la configuration par liaison radio (OTA)"},
    {337, u"Envoyer la configuration par un service de provisionnement"},
    // Telnet connections
    {339, u"Connexions Telnet"},
    {340, u"Paramètres avancés"},
    {341, u"La touche Retour arrière envoie"},
    {342, u"Retour arrière"},
    {343, u"Suppr"},
    {344, u"La touche Entrée envoie"},
    {345, u"CR"},
    {346, u"CR+LF"},
    {347, u"LF"},
    {348, u"Écho local"},
    {349, u"Désactivé"},
    {350, u"Activé"},
    {351, u"Point d'accès"},
    {352, u"Aucune connexion définie"},
    {353, u"Nom d'hôte"},
    {354, u"Nom de la connexion"},
    {355, u"Nouvelle connexion Telnet"},
    // Terminal connections
    {356, u"Connexions terminal"},
    {357, u"Paramètres avancés"},
    {358, u"La touche Retour arrière envoie"},
    {359, u"Retour arrière"},
    {360, u"Suppr"},
    {361, u"Démarrer en mode caractère"},
    {362, u"La touche Entrée envoie"},
    {363, u"CR"},
    {364, u"CR+LF"},
    {365, u"LF"},
    {366, u"Chaîne d'initialisation du modem"},
    {367, u"Écho local"},
    {368, u"Désactivé"},
    {369, u"Activé"},
    {370, u"Nom de la connexion"},
    {371, u"Numéro de téléphone"},
    {372, u"Nouvelle connexion terminal"},
    // Toolbar command texts
    {379, u"Envoyer"},
    {380, u"Nouveau"},
    {381, u"Ouvrir"},
    {382, u"Enregistrer"},
    // Voice and fax mailboxes
    {384, u"Numéro de la boîte de fax"},
    {385, u"Numéro de la messagerie vocale"},
    // Messages
    {387, u"La configuration a été modifiée.\nVoulez-vous enregistrer les modifications ?"},
    // WAP settings
    {388, u"Paramètres WAP"},
    {389, u"Signets WAP"},
    {390, u"Signets WAP"},
    {391, u"Paramètres de connexion principaux"},
    {392, u"Porteuse"},
    {393, u"Appel de données"},
    {394, u"SMS"},
    {395, u"Nom de la connexion"},
    {396, u"Paramètres de la porteuse appel de données"},
    {397, u"Adresse de la passerelle"},
    {398, u"Point d'accès"},
    {399, u"Aucune connexion WAP définie"},
    {400, u"Paramètres de la porteuse SMS"},
    {401, u"Numéro du centre SMS"},
    {402, u"Numéro de service"},
    {403, u"Type de session"},
    {404, u"Permanente"},
    {405, u"Temporaire"},
    {406, u"Utiliser une connexion sécurisée"},
    {417, u"Nouvelle connexion WAP"},
    // Bookmarks and common choices
    {418, u"Signets WWW"},
    {419, u"Signets WWW"},
    {420, u"Oui"},
    // Items
    {421, u"Point d'accès"},
    {422, u"Boîte aux lettres"},
    {423, u"Connexion WAP"},
    {425, u"Connexion terminal"},
    {426, u"Connexion Telnet"},
    {429, u"Centre SMS"},
    // Host
    {431, u"Préparer les paramètres des téléphones et les envoyer à un téléphone"},
    // About box
    {439, u"À propos de Provana"},
    // Internet access points
    {443, u"Aucun point d'accès défini"},
    // Password confirmation
    {447, u"Confirmer le mot de passe"},
    // Proxy servers
    {449, u"Serveurs proxy"},
    {450, u"Pas de proxy HTTP pour"},
    {451, u"Port du proxy HTTP"},
    {452, u"Serveur proxy HTTP"},
    {453, u"Utiliser un proxy HTTP"},
    {454, u"Pas de proxy HTTPS pour"},
    {455, u"Port du proxy HTTPS"},
    {456, u"Serveur proxy HTTPS"},
    {457, u"Utiliser un proxy HTTPS"},
    // Categories
    {460, u"Données personnelles"},
    {462, u"Messages BIO"},
    {463, u"Extras"},
    // Item fields
    {464, u"Centre SMS préféré"},
    {465, u"Nom de l'expéditeur"},
    // In-place editing
    {471, u"Les mots de passe ne correspondent pas. Le mot de passe n'a pas été modifié."},
    {472, u"La valeur saisie n'est pas valide."},
    {473, u"Signature"},
    {474, u"Imprimer"},
    {475, u"Script de connexion"},
    {476, u"Signature"},
    // Value column texts
    {480, u"%d fichier|%d fichiers"},
    {481, u"Aucun fichier"},
    {482, u"(script de connexion)"},
    {484, u"Aucune boîte aux lettres définie"},
    {485, u"Aucun centre SMS défini"},
    // Sending
    {486, u"Impossible de se connecter au serveur de connectivité. Vérifiez que le logiciel de "
          u"connectivité est installé et en cours d'exécution."},
    {487, u"Une autre application (%s) utilise le téléphone. Fermez-la et réessayez."},
    {489, u"Non disponible"},
    {492, u"%s :\n%s"},
    {494, u"Envoi de %s..."},
    {495, u"Envoi de la configuration..."},
    {496, u"Copie de %s..."},
    {497, u"(texte de la signature)"},
    {498, u"Autoriser les demandes d'accusé de lecture"},
    // File dialogs and printing
    {501, u"Paquets d'installation"},
    {502, u"Images"},
    {503, u"Tous les fichiers"},
    {504, u"Fichiers de signets"},
    {505, u"Fichiers de configuration"},
    {506, u"Aperçu avant impression"},
    {507, u"Page %d sur %d"},
    {508, u"Installation de %s..."},
    {510, u"Fichier de signets"},
    // Transfer results
    {513, u"Le transfert a été annulé."},
    {514, u"Un fichier n'a pas pu être transféré vers le téléphone."},
    {519, u"Le paramètre « %s » n'est pas valide :\n%s"},
    {521, u"Le téléphone a interrompu le transfert."},
    // Bookmark import
    {540, u"Aucun signet de Netscape Navigator n'a été trouvé sur cet ordinateur."},
    {541, u"Le fichier de signets n'a pas pu être ouvert."},
    {546, u"Utiliser cette réponse pour tous les autres paramètres"},
    // File transfer
    {550, u"Transfert de fichiers"},
    {551, u"Logo de l'opérateur"},
    {552, u"Sonneries"},
    {553, u"Sonnerie"},
    {554, u"Paquets d'installation"},
    {555, u"Paquet d'installation"},
    {556, u"Fonds d'écran"},
    {557, u"Fond d'écran"},
    {558, u"Autres fichiers"},
    {559, u"Fichier"},
    {560, u"Fichier local"},
    {561, u"Dossier du téléphone"},
    {564, u"Signet WWW"},
    {565, u"Utiliser cette réponse pour tous les autres fichiers"},
    {566, u"Le fichier est introuvable."},
    {567, u"La mémoire du téléphone est insuffisante."},
    {568, u"Signet WAP"},
    {569, u"Le fichier n'a pas pu être écrit sur le téléphone."},
    {570, u"Le téléphone ne prend pas en charge cette configuration."},
    {571, u"La version du logiciel du téléphone n'est pas prise en charge."},
    {575, u"L'envoi de la configuration a échoué."},
    {576, u"Le téléphone n'a pas répondu."},
    {578, u"Aucun téléphone n'est connecté."},
    {581, u"Préparation de l'envoi..."},
    {582, u"La connexion avec le téléphone a été perdue."},
    {583, u"La communication avec le téléphone a échoué."},
    // Bookmark dialogs
    {584, u"%d signet|%d signets"},
    {585, u"Saisissez un nom pour le signet. Chaque signet doit avoir un nom différent."},
    {586, u"Saisissez une URL valide pour le signet, par exemple http://www.example.com/."},
    {587, u"Le nom d'utilisateur ne peut pas dépasser 50 caractères."},
    {588, u"Le mot de passe ne peut pas dépasser 20 caractères."},
    {589, u"Sélectionnez la connexion WAP qu'utilise le signet."},
    {590, u"Le téléphone est occupé. Réessayez plus tard."},
    {591, u"Dossier du téléphone"},
    {592, u"Le dossier du téléphone doit commencer par une lettre de lecteur suivie de deux-"
          u"points, par exemple C:\\, et ne doit contenir aucun de ces caractères : "
          u"\" * / < > ? |"},
    // Document messages
    {593, u"Le journal d'activité n'existe pas ou n'a pas pu être ouvert."},
    {594, u"Le fichier n'a pas pu être copié sur le téléphone."},
    {595, u"Annulation..."},
    {596, u"Impossible de supprimer l'élément, car il est utilisé dans %s."},
    {597, u"Le fichier n'a pas pu être lu."},
    {598, u"Le fichier n'est pas un fichier de configuration ou il est endommagé."},
    {599, u"Le fichier n'a pas pu être enregistré."},
    {600, u"Certaines valeurs du fichier n'étaient pas valides et ont été corrigées. Vérifiez "
          u"les paramètres avant d'envoyer la configuration."},
    {601, u"Ouvrir un fichier de configuration"},
    {602, u"Enregistrer la configuration"},
    {603, u"Imprimer la configuration"},
    {604, u"Aucun signet"},
    {605, u"Sans titre"},
    // Bookmark fields
    {606, u"Nom"},
    {607, u"URL"},
    {608, u"Mot de passe"},
    {609, u"Nom d'utilisateur"},
    {610, u"Connexion WAP"},
    {611, u"Nom"},
    {612, u"URL"},
    // Phone settings results
    {614, u"Le téléphone n'a pas pu lire la configuration."},
    {615, u"Le téléphone n'a pas pu enregistrer les paramètres."},
    {616, u"Le téléphone n'a plus de place pour d'autres paramètres."},
    {617, u"Le téléphone a refusé un paramètre."},
    // Printed WAP bookmark fields
    {618, u"Connexion WAP"},
    {619, u"Nom d'utilisateur"},
    {620, u"Mot de passe"},
    {621, u"Le téléphone a refusé la configuration."},
    // Phone language number
    {622, u"2"},

    // Command-line tool
    {40000, u"Utilisation : provana COMMANDE [ARGUMENTS]\n"
            u"\n"
            u"Prépare les paramètres des smartphones EPOC sous forme de fichiers de "
            u"configuration.\n"
            u"\n"
            u"Commandes :\n"
            u"  new FICHIER              Écrire une nouvelle configuration avec les paramètres "
            u"par défaut.\n"
            u"  convert ENTRÉE SORTIE    Ouvrir ENTRÉE, corriger les valeurs non valides, "
            u"enregistrer sous SORTIE.\n"
            u"  check FICHIER [--sending [--all]]\n"
            u"                           Vérifier les valeurs d'une configuration.\n"
            u"  show FICHIER [--all]     Afficher l'arborescence des paramètres.\n"
            u"  diff A B [--all]         Lister les différences entre deux configurations.\n"
            u"  get FICHIER CHEMIN       Afficher la valeur d'un paramètre.\n"
            u"  set FICHIER CHEMIN VALEUR\n"
            u"                           Modifier la valeur d'un paramètre.\n"
            u"  add FICHIER CATÉGORIE NOM\n"
            u"                           Ajouter un point d'accès, une boîte aux lettres, une "
            u"connexion WAP ou un centre SMS nommé.\n"
            u"  include FICHIER CHEMIN on|off\n"
            u"                           Inclure ou exclure un paramètre comme le fait sa case "
            u"à cocher dans l'éditeur.\n"
            u"  text FICHIER             Afficher la configuration telle qu'elle est envoyée au "
            u"téléphone.\n"
            u"  folders [LANGUE]         Lister les dossiers du téléphone proposés pour les "
            u"fichiers.\n"
            u"  files FICHIER [...]      Lister, ajouter ou retirer les fichiers à copier sur le "
            u"téléphone.\n"
            u"  print FICHIER --pdf SORTIE|--lines [--range all|included]\n"
            u"                           Imprimer la liste des paramètres en PDF ou sous forme "
            u"de lignes.\n"
            u"  send FICHIER [...]       Envoyer la configuration au téléphone connecté.\n"
            u"  bookmarks FICHIER [...]  Lister les signets ou les importer d'un navigateur.\n"
            u"  variants MODÈLE TABLEAU DOSSIER [--force] [--check]\n"
            u"                           Créer une configuration par ligne d'un tableau.\n"
            u"  --help                   Afficher cette aide ; COMMANDE --help affiche l'aide "
            u"d'une commande.\n"
            u"  --version                Afficher la version.\n"
            u"\n"
            u"Un CHEMIN désigne un paramètre par ses noms d'éléments reliés par \"/\". Les "
            u"crochets choisissent un élément par son nom ou par sa position :\n"
            u"  IAPSettings/IAPConnection[Office]/DataCall/ConnectionType\n"
            u"  PersonalData/WWWBookmarks/WWWBookmark[2]/URL\n"
            u"\n"
            u"Code de sortie : 0 succès, 1 une vérification a échoué ou une modification a été "
            u"refusée, 2 utilisation incorrecte, 3 un fichier n'a pas pu être lu, n'est pas une "
            u"configuration ou n'a pas pu être écrit, 4 le téléphone ou le serveur de "
            u"connectivité n'a pas pu être joint.\n"},
    {40001, u"provana : commande inconnue « %s ». Lancez « provana --help » pour la liste des "
            u"commandes."},
    {40010, u"Utilisation : provana new FICHIER\n"
            u"\n"
            u"Écrit dans FICHIER une nouvelle configuration avec les paramètres par défaut. Un "
            u"fichier existant est remplacé.\n"},
    {40011, u"Utilisation : provana convert ENTRÉE SORTIE\n"
            u"\n"
            u"Ouvre la configuration ENTRÉE comme l'éditeur l'ouvre, en corrigeant les valeurs "
            u"non valides, et l'enregistre sous SORTIE.\n"},
    {40012, u"Utilisation : provana check FICHIER [--sending [--all]]\n"
            u"\n"
            u"Vérifie les valeurs d'une configuration comme à l'ouverture et liste chaque valeur "
            u"qui a dû être corrigée, une par ligne sous la forme CHEMIN: ancienne -> nouvelle. "
            u"Renvoie 1 s'il y en a eu.\n"
            u"\n"
            u"Avec --sending, vérifie les paramètres inclus comme le fait l'envoi et signale le "
            u"premier qui n'est pas valide. Avec --sending --all, liste chaque paramètre inclus "
            u"non valide, un par ligne sous la forme CHEMIN: message.\n"},
    {40013, u"Utilisation : provana show FICHIER [--all]\n"
            u"\n"
            u"Affiche l'arborescence des paramètres comme l'éditeur l'affiche : [x] marque les "
            u"paramètres inclus. Avec --all, les paramètres masqués sont aussi affichés.\n"},
    {40014, u"Utilisation : provana get FICHIER CHEMIN\n"
            u"\n"
            u"Affiche la valeur enregistrée du paramètre désigné par CHEMIN (les mots de passe "
            u"en clair).\n"},
    {40015, u"Utilisation : provana set FICHIER CHEMIN VALEUR\n"
            u"\n"
            u"Modifie la valeur du paramètre désigné par CHEMIN comme si elle était saisie dans "
            u"l'éditeur, puis enregistre le fichier : les caractères que le paramètre n'accepte "
            u"pas sont supprimés, les nombres restent dans leurs limites, un texte plus long que "
            u"ce que le paramètre peut contenir est tronqué avec un avertissement (un script ou "
            u"une signature sous sa forme enregistrée, un saut de ligne par retour à la ligne), "
            u"un choix est désigné par sa valeur ou par le texte qu'affiche l'éditeur, et un "
            u"paramètre dont la valeur a changé est inclus. Une valeur que l'éditeur refuse est "
            u"refusée avec son message et le fichier reste inchangé (code de sortie 1).\n"},
    {40016, u"Utilisation : provana add FICHIER CATÉGORIE NOM\n"
            u"\n"
            u"Ajoute à CATÉGORIE un nouvel élément nommé NOM et enregistre le fichier. CATÉGORIE "
            u"est IAPSettings, EMailSettings, WAPSettings ou SMSSettings.\n"},
    {40017, u"Utilisation : provana text FICHIER\n"
            u"\n"
            u"Affiche la configuration telle qu'elle est envoyée au téléphone : sauts de ligne "
            u"seuls, sans marque d'ordre des octets, en UTF-8.\n"},
    {40018, u"Utilisation : provana folders [LANGUE]\n"
            u"\n"
            u"Liste les cinq dossiers du téléphone proposés pour les fichiers, pour un numéro de "
            u"langue du téléphone (1 anglais, 2 français, 3 allemand, ...). Sans LANGUE, la "
            u"langue de cette installation est utilisée.\n"},
    {40019, u"Utilisation : provana include FICHIER CHEMIN on|off\n"
            u"\n"
            u"Inclut (on) ou exclut (off) le paramètre désigné par CHEMIN comme un clic sur sa "
            u"case à cocher dans l'éditeur, puis enregistre le fichier. Inclure un paramètre "
            u"inclut aussi les paramètres au-dessus de lui et les paramètres obligatoires de son "
            u"élément ; exclure le dernier paramètre inclus d'un groupe exclut aussi le groupe. "
            u"Une modification que les règles n'autorisent pas (un paramètre obligatoire, un "
            u"paramètre qui ne s'applique pas, une liste vide) est refusée avec sa raison et le "
            u"fichier reste inchangé.\n"},
    {40020, u"Utilisation : provana files FICHIER\n"
            u"       provana files FICHIER --add CATÉGORIE LOCAL...\n"
            u"       provana files FICHIER --add Files LOCAL DISTANT\n"
            u"       provana files FICHIER --remove CATÉGORIE N\n"
            u"\n"
            u"Sans option, liste les fichiers à copier sur le téléphone, un par ligne : la "
            u"catégorie (RingingTones, BackgroundImages, SISFiles ou Files), une tabulation, le "
            u"fichier sur cet ordinateur et, pour Files, une tabulation et le dossier du "
            u"téléphone.\n"
            u"--add ajoute des fichiers présents sur cet ordinateur comme le font Ajouter et OK "
            u"dans la liste des fichiers : un fichier déjà listé dans sa catégorie est ignoré, "
            u"et une entrée de Files prend le dossier du téléphone DISTANT, qui commence par une "
            u"lettre de lecteur et deux-points (C:\\Documents\\), et est ignorée quand le même "
            u"fichier va déjà dans ce dossier. --remove retire la N-ième entrée (1 est la "
            u"première) de CATÉGORIE. Ensuite, la catégorie est incluse si elle a des entrées et "
            u"exclue si elle n'en a aucune, et le fichier est enregistré.\n"},
    {40021, u"Utilisation : provana bookmarks FICHIER [--wap]\n"
            u"       provana bookmarks FICHIER --import SOURCE\n"
            u"\n"
            u"Sans option, liste les signets WWW (avec --wap les signets WAP) dans leur ordre "
            u"enregistré, un par ligne : le nom, une tabulation et l'URL ; les signets WAP "
            u"ajoutent une tabulation et la connexion, une tabulation et le nom "
            u"d'utilisateur.\n"
            u"--import ajoute les signets WWW de SOURCE comme le font Importer et OK dans la "
            u"liste des signets : un signet dont le nom est déjà listé ou dont l'URL n'est pas "
            u"valide est ignoré ; le nombre de signets ajoutés et ignorés est affiché et le "
            u"fichier est enregistré. SOURCE est un fichier de signets au format HTML de "
            u"Netscape qu'exportent les navigateurs, ou l'un des suivants :\n"
            u"  favorites[=DOSSIER] les fichiers .url du dossier Favoris ($PROVANA_FAVORITES "
            u"ou ~/Favorites)\n"
            u"  netscape            le fichier de signets que le registre indique pour Netscape "
            u"Navigator\n"
            u"  firefox[=PLACES]    le places.sqlite du profil par défaut de Firefox\n"
            u"  chromium[=FICHIER]  le fichier Bookmarks des profils par défaut de Chromium et "
            u"de Google Chrome\n"
            u"Une source illisible laisse le fichier inchangé et renvoie 3.\n"},
    {40022, u"Utilisation : provana print FICHIER --pdf SORTIE [--range all|included]\n"
            u"       provana print FICHIER --lines [--range all|included]\n"
            u"\n"
            u"Imprime les paramètres d'une configuration comme le fait Imprimer dans l'éditeur : "
            u"une ligne par paramètre avec son libellé et sa valeur, en retrait comme dans "
            u"l'arborescence, avec le nom du fichier et les numéros de page sur chaque page. "
            u"Les mots de passe s'impriment sous la forme ********.\n"
            u"--pdf écrit la liste dans le fichier PDF SORTIE, au format de papier de ces "
            u"paramètres régionaux (A4 ou Letter) ; ni écran ni imprimante ne sont "
            u"nécessaires.\n"
            u"--lines affiche les lignes enregistrées de la liste pour une page A4 à 600 ppp, "
            u"mesurées dans une police à chasse fixe, une ligne de la liste par ligne de "
            u"sortie : chaque segment de texte sous la forme b (gras) ou n (normal), sa position "
            u"x sur six chiffres et son texte.\n"
            u"--range choisit les paramètres : tous, ou seulement les paramètres inclus (par "
            u"défaut). Une liste sans paramètre n'écrit rien et renvoie 1.\n"},
    {40023, u"Utilisation : provana send FICHIER [--answer overwrite|skip|cancel] "
            u"[--option 1|2|3]\n"
            u"\n"
            u"Envoie la configuration au téléphone connecté au serveur de connectivité, comme le "
            u"fait Envoyer dans l'éditeur : les paramètres inclus sont d'abord vérifiés, et un "
            u"serveur est démarré si aucun ne répond. La progression est écrite sur la sortie "
            u"d'erreur standard.\n"
            u"Une question sur un fichier déjà présent sur le téléphone ou illisible reçoit la "
            u"réponse de --answer, sinon elle est posée dans le terminal (une majuscule garde la "
            u"réponse pour le reste du transfert) ; sans terminal, le fichier est ignoré. "
            u"Ctrl+C annule le transfert.\n"
            u"--option 2 et 3 choisissent les autres modes d'envoi, qui ne passent jamais par le "
            u"serveur.\n"
            u"\n"
            u"Code de sortie : 0 le téléphone a reçu la configuration, 1 un paramètre n'est pas "
            u"valide ou le transfert a échoué ou a été annulé, 4 le serveur ou le téléphone n'a "
            u"pas pu être joint ou une autre application occupe le téléphone.\n"},
    {40024, u"Utilisation : provana variants MODÈLE TABLEAU DOSSIER [--force] [--check]\n"
            u"\n"
            u"Crée, à partir de la configuration MODÈLE, une configuration par ligne de TABLEAU. "
            u"TABLEAU est un fichier CSV (champs séparés par une virgule ou un point-virgule, "
            u"selon ce qu'utilise la ligne d'en-tête ; un champ entre guillemets doubles peut "
            u"contenir des séparateurs, des retours à la ligne et des guillemets doublés ; UTF-8) "
            u"ou, si son nom se termine par .tsv, séparé par des tabulations. La ligne d'en-tête "
            u"désigne des paramètres comme le fait provana set ; une colonne nommée file donne le "
            u"nom de fichier de chaque ligne (par défaut : le numéro de ligne, complété par des "
            u"zéros). Pour chaque ligne, chaque cellule non vide est enregistrée comme provana "
            u"set l'enregistre, dans l'ordre des colonnes, et le résultat est enregistré sous "
            u"DOSSIER/NOM.xml.\n"
            u"Une ligne avec une valeur refusée n'écrit rien et est signalée sous la forme "
            u"« ligne N, COLONNE: MESSAGE » ; les autres lignes sont quand même écrites. Un "
            u"fichier existant est conservé, sauf avec --force, et un fichier qu'une ligne "
            u"précédente a créé n'est pas recréé. --check refuse aussi une ligne dont la "
            u"configuration serait refusée par la vérification avant l'envoi.\n"
            u"Renvoie 1 si une ligne n'a pas été écrite, 2 si un en-tête ne désigne aucun "
            u"paramètre (avant toute écriture), 3 si le modèle ou le tableau ne peut pas être "
            u"lu.\n"},
    {40026, u"Utilisation : provana diff A B [--all]\n"
            u"\n"
            u"Liste chaque différence entre les configurations A et B telle que l'arborescence "
            u"des paramètres les montre, avec les valeurs telles que les fichiers les "
            u"enregistrent : CHEMIN: ancienne -> nouvelle pour une valeur (un mot de passe sous "
            u"la forme ********), CHEMIN: included -> excluded (ou l'inverse) pour une case à "
            u"cocher, + CHEMIN pour un élément ou une entrée de liste que seul B possède et - "
            u"CHEMIN pour ceux que seul A possède. Les éléments sont appariés par leur nom, leur "
            u"ordre n'est donc pas une différence. Avec --all, les paramètres masqués sont aussi "
            u"comparés.\n"
            u"\n"
            u"Renvoie 0 si elles sont identiques, 1 si elles diffèrent et 3 si l'une d'elles ne "
            u"peut pas être lue.\n"},
    {40030, u"provana : %s : %s"},
    {40031, u"provana : aucun paramètre ne correspond au chemin « %s »."},
    {40032, u"%s: %s -> %s"},
    {40033, u"provana %s : arguments incorrects. Lancez « provana %s --help » pour son "
            u"utilisation."},
    {40034, u"provana add : « %s » n'est pas une catégorie d'éléments nommés. Utilisez "
            u"IAPSettings, EMailSettings, WAPSettings ou SMSSettings."},
    {40035, u"Le nom « %s » est déjà utilisé dans %s. Choisissez un autre nom."},
    {40036, u"« %s » ne peut pas servir de nom. Choisissez un autre nom."},
    {40037, u"%s contient une liste et n'a pas de valeur propre."},
    {40038, u"provana folders : « %s » n'est pas un numéro de langue."},
    {40039, u"La valeur « %s » a été refusée."},
    {40040, u"provana include : « %s » n'est ni on ni off."},
    {40041, u"« %s » est obligatoire tant que « %s » est inclus et ne peut pas être exclu."},
    {40042, u"« %s » ne s'applique pas avec les paramètres actuels et ne peut être ni inclus "
            u"ni exclu."},
    {40043, u"« %s » est une liste vide et ne peut pas être inclus."},
    {40044, u"« %s » ne peut être ni inclus ni exclu ici."},
    {40045, u"provana files : « %s » n'est pas une liste de fichiers. Utilisez RingingTones, "
            u"BackgroundImages, SISFiles ou Files."},
    {40046, u"provana files : « %s » n'est pas un fichier de cet ordinateur."},
    {40047, u"provana files : %s n'a pas d'entrée %s."},
    {40048, u"%s : %d ajouté(s), %d déjà listé(s)."},
    {40049, u"%d signet(s) ajouté(s), %d ignoré(s)."},
    {40050, u"provana %s : %s contient au plus %d caractères ; la valeur a été tronquée."},
    {40060, u"provana print : %s n'a aucun paramètre à imprimer dans cette plage."},
    {40061, u"provana print : « %s » n'est ni all ni included."},
    {40062, u"provana print : %s n'a pas pu être écrit."},
    {40070, u"provana send : « %s » n'est pas une réponse. Utilisez overwrite, skip ou "
            u"cancel."},
    {40071, u"provana send : « %s » n'est pas une option d'envoi. Utilisez 1, 2 ou 3."},
    {40072, u"[s] ignorer, [o] écraser, [r] réessayer ou [c] annuler (une majuscule garde la "
            u"réponse pour la suite) : "},
    {40080, u"%s: excluded -> included"},
    {40081, u"%s: included -> excluded"},
    {40082, u"+ %s"},
    {40083, u"- %s"},
    {40084, u"%s: %s"},
    {40090, u"pas un tableau : un guillemet n'est pas fermé, le texte n'est pas en UTF-8 ou "
            u"il n'y a pas de ligne d'en-tête."},
    {40091, u"ligne %d, %s : %s"},
    {40092, u"ligne %d : %s"},
    {40093, u"la ligne a plus de cellules que l'en-tête n'a de colonnes."},
    {40094, u"« %s » ne peut pas désigner un fichier du dossier de sortie."},
    {40095, u"%s existe et a été conservé ; --force le remplace."},
    {40096, u"provana variants : %d lignes sur %d..."},
    {40097, u"la ligne %d crée déjà ce fichier."},

    // Dialog buttons and texts
    {41000, u"OK"},
    {41001, u"Annuler"},
    {41002, u"Aide"},
    {41010, u"Copyright \u00a9 Talvik. Tous droits réservés."},
    {41020, u"Saisissez à nouveau le mot de passe pour le confirmer :"},
    {41030, u"Charger depuis un fichier..."},
    {41040, u"Ignorer"},
    {41041, u"Remplacer"},
    {41042, u"Réessayer"},
    {41043, u"Annuler"},
    {41060, u"« %s » ne fait pas partie des choix de %s."},
    {41061, u"%s n'a pas de valeur pouvant être saisie."},
    {41070, u"Fichier à transférer"},
    {41071, u"Fichier sur cet ordinateur :"},
    {41072, u"Dossier du téléphone :"},
    {41073, u"Parcourir..."},
    {41074, u"&Ajouter..."},
    {41075, u"&Modifier..."},
    {41076, u"&Retirer"},
    {41077, u"Choisissez un fichier présent sur cet ordinateur."},
    {41078, u"Ce fichier figure déjà dans la liste."},

    // Bookmark import and bookmark dialogs
    {41080, u"Importer des signets"},
    {41081, u"Dossier Favoris d'Internet Explorer"},
    {41082, u"Netscape Navigator"},
    {41083, u"Fichier de signets :"},
    {41084, u"Firefox"},
    {41085, u"Chromium ou Google Chrome"},
    {41086, u"&Importer..."},
    {41087, u"Choisir un fichier de signets"},
    {41088, u"Le dossier Favoris %s est introuvable."},
    {41089, u"Aucun signet de Firefox n'a été trouvé sur cet ordinateur."},
    {41090, u"Aucun signet de Chromium ou de Google Chrome n'a été trouvé sur cet "
            u"ordinateur."},
    {41091, u"&Nom :"},
    {41092, u"&URL :"},
    {41093, u"&Connexion :"},
    {41094, u"Nom d'utili&sateur :"},
    {41095, u"&Mot de passe :"},
    {41100, u"Paramètres inclus"},
    // Sending
    {41120, u"Ce mode d'envoi ne passe pas par le serveur de connectivité. Choisissez la "
            u"première option d'envoi pour envoyer la configuration à un téléphone connecté."},
    // Send dialog
    {41160, u"Envoyer au téléphone"},
    {41161, u"Nom du téléphone :"},
    {41162, u"IMEI :"},
    {41163, u"Numéro de téléphone :"},
    // Mailbox message size
    {41170, u"%s Ko"},
    {41180, u"Envoyé à %s : %s paramètres, %s fichiers"},
    {41181, u"Annulé. Rien n'avait encore atteint le téléphone."},
    {41182, u"Annulé. Déjà sur le téléphone : %s paramètres (%s), %s fichiers."},
    {41183, u"Fermer"},
    {41184, u"Son dossier n'est sur aucun lecteur du téléphone."},
    {41185, u"Le téléphone n'accepte pas son nom."},
    {41186, u"%s :\n%s est déjà sur le téléphone, dans %s"},
    {41187, u"Le paramètre « %s » de « %s » n'est pas valide :\n%s"},
    {41188, u"Le paramètre « %s » n'est pas valide :\n%s"},
    {41189, u"Il lui faut une valeur."},
    {41190, u"« %s » n'est pas une valeur valide pour ce paramètre."},
    {41191, u"« Over the Air » envoie les paramètres par le réseau de l'opérateur mobile, que cet "
            u"ordinateur n'atteint pas ; rien n'a été envoyé. Pour envoyer la configuration au "
            u"téléphone connecté à cet ordinateur, choisissez Tools > Send Via > Cable, Infrared "
            u"or Bluetooth."},
    {41192, u"Le Provisioning Service remet les configurations à un serveur de provisionnement, "
            u"que cet ordinateur n'atteint pas ; rien n'a été envoyé. Pour envoyer la "
            u"configuration au téléphone connecté à cet ordinateur, choisissez Tools > Send Via > "
            u"Cable, Infrared or Bluetooth."},
    {41193, u"Impression de la page %s sur %s..."},
    // Annuler et rétablir
    {41200, u"&Annuler : %s"},
    {41201, u"&Rétablir : %s"},
    {41202, u"&Annuler"},
    {41203, u"&Rétablir"},
    {41204, u"Modifier « %s »"},
    {41205, u"Inclure « %s »"},
    {41206, u"Exclure « %s »"},
    {41207, u"Supprimer « %s »"},
    {41208, u"Supprimer %d éléments"},
    {41209, u"Ajouter « %s »"},
    {41210, u"Coller « %s »"},
    {41211, u"Coller %d éléments"},
    {41212, u"Couper « %s »"},
    {41213, u"Couper %d éléments"},
    // Ouverture d'un fichier
    {41220, u"Le fichier se termine avant la fin de la configuration : ligne %d"},
    {41221, u"Ouvrir ce qui a pu être lu comme un nouveau document sans titre ?"},
    {41222, u"%s n'a pas pu être ouvert."},
    // Supprimer, couper et coller des éléments
    {41223, u"Supprimer « %s » ?"},
    {41224, u"Supprimer %d éléments ?"},
    {41225, u"Ne plus demander"},
    {41226, u"Le presse-papiers ne contient aucun élément à coller."},
    {41227, u"De&mander avant de supprimer"},
    // Problems panel
    {41400, u"Problèmes"},
    {41401, u"Pro&blèmes"},
    {41402, u"Paramètre"},
    {41403, u"Chemin"},
    {41404, u"Message"},
    {41405, u"&Inclus seulement"},
    {41406, u"&Tous les paramètres"},
    {41407, u"Paramètres non valides : %d"},
    {41408, u"&Masquer"},
    // Variants dialog
    {41420, u"&Créer des variantes..."},
    {41421, u"Créer des variantes"},
    {41422, u"&Tableau :"},
    {41423, u"&Dossier de sortie :"},
    {41424, u"&Parcourir..."},
    {41425, u"Pa&rcourir..."},
    {41426, u"Ligne"},
    {41427, u"Fichier"},
    {41428, u"État"},
    {41429, u"ok"},
    {41430, u"Cré&er"},
    {41431, u"Tableaux (*.csv *.tsv);;Tous les fichiers (*)"},
    {41432, u"%d configurations sur %d créées."},
    {41433, u"Annulé : %d configurations sur %d créées."},
    {41434, u"&Lignes :"},
    {41435, u"Le tableau ne peut pas être lu."},
    {41436, u"Ces colonnes ne nomment aucun paramètre : %s"},
    {41437, u"%s : le paramètre n'enregistre rien pour ce texte."},
    {41438, u"La ligne a plus de cellules que l'en-tête."},
    {41439, u"Le nom de fichier n'est pas valide."},
    {41440, u"La ligne %d crée le même fichier."},
    {41441, u"Le fichier existe et est conservé."},
    {41442, u"Le fichier n'a pas pu être écrit."},
    {41443, u"Fichiers de ces lignes déjà présents : %d. Les remplacer ?"},
    // Language: the numbers that take a count's first plural form
    {41450, u"0 1"},
    // Bookmark import
    {41451, u"%d ajoutés, %d ignorés"},
    {41452, u"La liste contient déjà un signet de ce nom. Chaque signet doit avoir un nom "
            u"différent."},
    // What an editor did with a value or a typed character
    {41453, u"Les lettres ne sont pas autorisées dans les numéros de téléphone"},
    {41454, u"« %s » n'est pas autorisé dans %s"},
    {41455, u"Le signe plus n'est autorisé qu'au début de %s"},
    {41456, u"Seuls les chiffres sont autorisés dans %s"},
    {41457, u"%s limité à %d"},
    {41458, u"%s porté à %d"},
    {41459, u"%s réduit à %d caractères"},
    // Framework
    {61441, u"Enregistrer sous"},
};

} // namespace

const LangTable gLangTable = MakeLangTable(kStrings);
