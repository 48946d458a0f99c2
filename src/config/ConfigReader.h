#pragma once

#include <QString>
#include <QStringView>

#include <functional>

class QIODevice;

class CSettingNode;

// Receives the elements of a configuration text in document order.
class IElementHandler
{
public:
    virtual ~IElementHandler() = default;
    // An element with child elements; its content follows, then OnEndElement.
    virtual void OnStartElement(QStringView name, QStringView attributes) = 0;
    // An element holding text or character data only.
    virtual void OnLeafElement(QStringView name, QStringView content, QStringView attributes) = 0;
    virtual void OnEndElement(QStringView name) = 0;
};

// Elements nested deeper than this end the scan: no configuration comes
// close, and the tree's recursive walks stay shallow.
inline constexpr int kMaxElementDepth = 200;

// The text as the scanner sees it: line feeds only, comments and processing
// instructions removed (not inside character data). processingInstructions
// receives how many were removed.
QString PrepareConfigurationText(QStringView text, int &processingInstructions);

// Raises the events of the elements of a prepared text. False when the text
// ends before its root element does (or holds none).
bool ScanElements(QStringView prepared, IElementHandler &handler);

// Applies a configuration text to a tree holding its default content. 0 when
// the text has no processing instruction (not a configuration). complete
// (when given) tells whether the text went on to the end of its root element.
int ParseConfigurationText(CSettingNode *root, QString text, bool *complete = nullptr);

// Why LoadConfigurationFile failed on a file it could read.
inline constexpr int kNotConfiguration = 1;
// The file ends before its configuration does: the tree holds what could be
// read, and the last error text says where the file ends.
inline constexpr int kEndsEarly = 2;

// The size of the blocks a configuration file is read in.
inline constexpr qsizetype kConfigurationBlockBytes = qsizetype(1) << 20;

// Reads a UTF-16 configuration file into the tree. 0 with parseFailed 0 when
// the file could not be read (the reason in the last error text), 0 with
// parseFailed kNotConfiguration or kEndsEarly when it could be read.
int LoadConfigurationFile(CSettingNode *root, const QString &path, int &parseFailed,
                          qsizetype blockBytes = kConfigurationBlockBytes);

// What reading a configuration's text from a device found.
struct ConfigurationScan
{
    bool read = true;      // false when the device failed
    int instructions = 0;  // processing instructions removed
    bool complete = false; // the text went on to the end of its root element
    qsizetype lines = 0;   // its lines, the last one also without a line feed
    // The units of text its searches went through: the reading's work, which
    // grows with the text and no faster, however long a piece stays open.
    qsizetype searched = 0;
};

// Reads a configuration's UTF-16 text from device in blocks of blockBytes,
// prepares each as it arrives and raises the events of its elements, so
// that the whole text is never held at once: the same events as
// PrepareConfigurationText and ScanElements of the whole text. They go to
// the handler that start gives once the text has shown a processing
// instruction; a text without one raises none. With prepareAhead, a second
// thread reads and prepares the next blocks while the elements of one are
// raised on the calling thread.
ConfigurationScan ScanConfigurationDevice(QIODevice &device,
                                          const std::function<IElementHandler &()> &start,
                                          qsizetype blockBytes = kConfigurationBlockBytes,
                                          bool prepareAhead = false);

// The text of a configuration file's bytes: UTF-16 little-endian, a leading
// byte order mark dropped, a trailing odd byte ignored.
QString DecodeConfigurationBytes(const QByteArray &bytes);
