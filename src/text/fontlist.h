#pragma once

#include <QStringList>
#include <QStyledItemDelegate>

// The families the font picker offers: installed scalable fonts, sorted without regard to case.
QStringList installedScalableFamilies();

// The family that stands for "Arial": Arial itself where installed, else the one the system substitutes.
QString arialFamily();

// Draws each font name of the picker either plainly or in its own typeface.
class FontNameDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void setOwnTypeface(bool ownTypeface) { m_ownTypeface = ownTypeface; }
    bool ownTypeface() const { return m_ownTypeface; }

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override;

private:
    bool m_ownTypeface = false;
};
