#include "QtMessageBoxes.h"

#include "AppTitle.h"

#include <QAbstractButton>
#include <QMessageBox>

MessageAnswer QtMessageBoxes::Show(const std::string& text, MessageIcon icon,
                                   MessageButtons buttons) {
    QMessageBox box(m_parent);
    box.setWindowTitle(QString::fromUtf8(kAppTitle));
    box.setText(QString::fromStdString(text));
    switch (icon) {
    case MessageIcon::None:
        box.setIcon(QMessageBox::NoIcon);
        break;
    case MessageIcon::Warning:
        box.setIcon(QMessageBox::Warning);
        break;
    case MessageIcon::Question:
        box.setIcon(QMessageBox::Question);
        break;
    case MessageIcon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    }
    if (buttons == MessageButtons::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.button(QMessageBox::Yes)->setText(QStringLiteral("Да"));
        box.button(QMessageBox::No)->setText(QStringLiteral("Нет"));
        return box.exec() == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
    return MessageAnswer::Ok;
}
