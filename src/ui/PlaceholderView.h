#pragma once

#include <QWidget>

class QLabel;

// A centred empty-state block: a large symbol, a title and a description.
class PlaceholderView : public QWidget
{
    Q_OBJECT

public:
    explicit PlaceholderView(QWidget* parent = nullptr);

    void show(const QString& title, const QString& symbolName, const QString& text);

    QString title() const;
    QString text() const;
    const QString& symbolName() const { return m_symbolName; }

private:
    QLabel* m_symbol;
    QLabel* m_title;
    QLabel* m_text;
    QString m_symbolName;
};
