#include "AboutDlg.h"

#include "HelpFile.h"
#include "MessageBoxes.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// The program's emblem: a thermometer beside a temperature curve.
QPixmap Emblem() {
    QPixmap picture(90, 40);
    picture.fill(Qt::white);
    QPainter g(&picture);
    g.setRenderHint(QPainter::Antialiasing);
    g.setPen(QPen(QColor(60, 60, 60), 1.5));
    g.setBrush(Qt::white);
    g.drawRoundedRect(QRectF(8, 3, 8, 26), 4, 4);
    g.setBrush(QColor(200, 30, 30));
    g.drawEllipse(QPointF(12, 31), 6, 6);
    g.fillRect(QRectF(10.5, 14, 3, 14), QColor(200, 30, 30));
    g.setPen(QPen(QColor(200, 30, 30), 2));
    g.drawPolyline(QPolygonF{{26, 30}, {38, 16}, {50, 22}, {62, 8}, {74, 14}, {86, 6}});
    g.setPen(QPen(QColor(60, 60, 60), 1, Qt::DashDotLine));
    g.drawLine(QPointF(26, 34), QPointF(86, 34));
    return picture;
}

} // namespace

CAboutDlg::CAboutDlg(MessageBoxes& boxes, UrlOpener openUrl, QWidget* parent)
    : QDialog(parent), m_boxes(boxes), m_openUrl(std::move(openUrl)) {
    setWindowTitle(QStringLiteral("О программе"));
    setProperty("dialogId", 100);

    auto* picture = new QLabel(this);
    picture->setPixmap(Emblem());
    picture->setProperty("controlId", 173);

    auto* text = new QLabel(QStringLiteral("Конфигуратор ВЕЛТА Термикс-Т. Версия: 1.0"), this);

    auto* site = new QPushButton(QString::fromUtf8(kSiteCaption), this);
    site->setFlat(true);
    site->setAutoDefault(false);
    site->setCursor(Qt::PointingHandCursor);
    site->setStyleSheet(QStringLiteral("color: palette(link); text-decoration: underline;"));
    site->setProperty("controlId", 1102);
    connect(site, &QPushButton::clicked, this, &CAboutDlg::OnSiteLink);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setDefault(true);
    ok->setProperty("controlId", 1);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* right = new QVBoxLayout;
    right->addWidget(text);
    right->addWidget(site, 0, Qt::AlignRight);
    right->addStretch();
    auto* top = new QHBoxLayout;
    top->addWidget(picture, 0, Qt::AlignTop);
    top->addSpacing(8);
    top->addLayout(right);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void CAboutDlg::OnSiteLink() {
    if (!m_openUrl(QUrl(QString::fromUtf8(kSiteUrl))))
        m_boxes.Show("::Ошибка открытия ссылки!", MessageIcon::None, MessageButtons::Ok);
}
