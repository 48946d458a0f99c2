#pragma once

#include <QApplication>
#include <QDialog>
#include <QStringList>
#include <QWidget>

#include <gtest/gtest.h>

#include <algorithm>

// The widgets that Tab reaches in a shown dialog, in the order Tab reaches
// them, starting from the topmost one.
inline QList<QWidget *> TabChain(QWidget *dialog)
{
    QList<QWidget *> chain;
    const auto reachable = [dialog](QWidget *widget) {
        return widget != dialog && dialog->isAncestorOf(widget) && widget->isVisibleTo(dialog) &&
               widget->isEnabled() && (widget->focusPolicy() & Qt::TabFocus) &&
               !widget->focusProxy();
    };
    for (QWidget *widget = dialog->nextInFocusChain(); widget && widget != dialog;
         widget = widget->nextInFocusChain()) {
        if (reachable(widget) && !chain.contains(widget))
            chain.append(widget);
    }
    // Tab goes round: the walk starts at the topmost widget.
    const auto top = [dialog](QWidget *widget) {
        return widget->mapTo(dialog, QPoint()).y();
    };
    const auto first = std::min_element(chain.begin(), chain.end(),
                                        [&top](QWidget *a, QWidget *b) { return top(a) < top(b); });
    if (first != chain.end())
        std::rotate(chain.begin(), first, chain.end());
    return chain;
}

// Lets a shown dialog's layouts place its widgets: on a loaded machine one
// round of events may leave nested layouts still to be done, so rounds go on
// until the places stay the same.
inline void SettleLayout(QWidget *dialog)
{
    const auto places = [dialog] {
        QList<QPoint> points;
        for (QWidget *child : dialog->findChildren<QWidget *>())
            points << child->mapTo(dialog, QPoint());
        return points;
    };
    QList<QPoint> before;
    for (int round = 0; round < 20; ++round) {
        QCoreApplication::sendPostedEvents();
        QApplication::processEvents();
        QList<QPoint> now = places();
        if (round > 0 && now == before)
            return;
        before = std::move(now);
    }
}

// Tab goes through the dialog from the top to the bottom: no widget it
// reaches stands above the one before (a row of side by side controls shares
// its top). The widgets are named by object name or class for the message.
inline void ExpectTabOrderTopToBottom(QWidget *dialog, const char *name)
{
    dialog->show();
    SettleLayout(dialog);
    const QList<QWidget *> chain = TabChain(dialog);
    EXPECT_GE(chain.size(), 2) << name;
    QStringList order;
    for (QWidget *widget : chain)
        order << (widget->objectName().isEmpty() ? widget->metaObject()->className()
                                                 : widget->objectName());
    constexpr int kSameRow = 4;
    for (qsizetype i = 1; i < chain.size(); ++i) {
        const int above = chain[i - 1]->mapTo(dialog, QPoint()).y();
        const int below = chain[i]->mapTo(dialog, QPoint()).y();
        EXPECT_GE(below, above - kSameRow)
            << name << ": " << order.join(QStringLiteral(" > ")).toStdString();
    }
}
