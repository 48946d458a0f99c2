#pragma once

#include "config/ConfigReader.h"
#include "settings/BulkLoad.h"

#include <QString>
#include <QStringView>

class CSettingNode;

struct OpAttribute
{
    int create = 0;
    int update = 0;
    QString rest; // the other attributes, each as ` name="value"`
};

// Reads the op attribute out of an element's attribute text.
OpAttribute ParseOp(QStringView attributes);

// Turns a written value back into the stored one: character data unwrapped
// (answer 1) or entities decoded (answer 0), passwords unscrambled.
int DecodeValue(const CSettingNode *node, QString &value);

// Takes the indentation the writer put before each continuation line of a
// value written outside character data off again.
QString RemoveContinuationIndent(const QString &value, int depth);

// Applies the elements of a configuration to a tree that holds its default
// content: known elements update their node, items are made, unknown
// elements become free nodes.
class CConfigurationLoader final : public IElementHandler
{
public:
    explicit CConfigurationLoader(CSettingNode *root);

    void OnStartElement(QStringView name, QStringView attributes) override;
    void OnLeafElement(QStringView name, QStringView content, QStringView attributes) override;
    void OnEndElement(QStringView name) override;

    // Runs what naming deferred until the whole file was applied.
    void Finish();

private:
    CSettingNode *MakeFreeNode(QStringView name, QStringView attributes);
    // The value an element's content gives node (null for a free node);
    // characterData tells whether it was written as character data.
    QString DecodedContent(const CSettingNode *node, QStringView content,
                           int *characterData = nullptr) const;

    CSettingNode *m_root;
    CSettingNode *m_current;
    int m_depth = 0;
    CBulkLoad m_bulkLoad;
};
