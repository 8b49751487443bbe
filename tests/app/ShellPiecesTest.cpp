#include "AboutDlg.h"
#include "CommandLine.h"
#include "FrameGeometry.h"
#include "HelpFile.h"
#include "RecentFiles.h"
#include "RecordingMessageBoxes.h"
#include "TempDir.h"
#include "ToolbarImages.h"

#include <QLabel>
#include <QPushButton>
#include <gtest/gtest.h>

TEST(FrameGeometryTest, ThreeFifthsCentred) {
    EXPECT_EQ(StartFrameRect(1920, 1080), (FrameRect{384, 216, 1152, 648}));
    EXPECT_EQ(StartFrameRect(1366, 768), (FrameRect{273, 154, 819, 460}));
    EXPECT_EQ(StartFrameRect(801, 601), (FrameRect{160, 120, 480, 360}));
}

TEST(HelpFileTest, HelpPageIsInTheProgramsFolder) {
    EXPECT_EQ(HelpFilePath("/opt/termix"), "/opt/termix/help.htm");
    EXPECT_EQ(HelpFilePath("/"), "/help.htm");
    EXPECT_EQ(HelpFilePath("/opt/termix/"), "/opt/termix/help.htm");
}

TEST(CommandLineTest, FileSimulatedLoggerHelpAndMistakes) {
    const QString t = QStringLiteral("termix");
    CommandLine c = ParseCommandLine({t});
    EXPECT_TRUE(c.file.isEmpty());
    EXPECT_TRUE(c.error.isEmpty());

    c = ParseCommandLine({t, QStringLiteral("/data/run1.rec0")});
    EXPECT_EQ(c.file, QStringLiteral("/data/run1.rec0"));

    c = ParseCommandLine({t, QStringLiteral("--simulated-logger"), QStringLiteral("a.logger"),
                          QStringLiteral("b.rec0")});
    EXPECT_EQ(c.simulatedLogger, QStringLiteral("a.logger"));
    EXPECT_EQ(c.file, QStringLiteral("b.rec0"));

    EXPECT_TRUE(ParseCommandLine({t, QStringLiteral("--help")}).help);
    EXPECT_EQ(ParseCommandLine({t, QStringLiteral("--frobnicate")}).error,
              QString::fromUtf8("Неизвестный параметр: frobnicate"));
    EXPECT_EQ(ParseCommandLine({t, QStringLiteral("--simulated-logger")}).error,
              QString::fromUtf8("Параметру --simulated-logger нужен путь к файлу."));
    // A file whose name looks like an option.
    EXPECT_EQ(ParseCommandLine({t, QStringLiteral("--"), QStringLiteral("-x.rec0")}).file,
              QStringLiteral("-x.rec0"));
    EXPECT_FALSE(
        ParseCommandLine({t, QStringLiteral("a.rec0"), QStringLiteral("b.rec0")}).error.isEmpty());
    const QString help = CommandLineHelpText(QStringLiteral("termix"));
    EXPECT_TRUE(help.startsWith(QString::fromUtf8("Использование: termix "))) << help.toStdString();
    EXPECT_TRUE(help.contains(QStringLiteral("--simulated-logger")));
}

TEST(RecentFilesTest, FourNewestFirstWithoutRepeatsKeptInTheSettings) {
    TempDir dir;
    const QString file = QString::fromStdString((dir / "recent.conf").string());
    const auto settings = [&] { return std::make_unique<QSettings>(file, QSettings::IniFormat); };
    {
        RecentFileList list(settings());
        for (const char* p : {"/a.rec0", "/b.rec0", "/c.rec0", "/d.rec0", "/e.rec0", "/c.rec0"})
            list.Add(QString::fromLatin1(p));
        EXPECT_EQ(list.Files(),
                  (QStringList{QStringLiteral("/c.rec0"), QStringLiteral("/e.rec0"),
                               QStringLiteral("/d.rec0"), QStringLiteral("/b.rec0")}));
        list.Remove(1);
        list.Remove(7);
    }
    RecentFileList again(settings());
    EXPECT_EQ(again.Files(), (QStringList{QStringLiteral("/c.rec0"), QStringLiteral("/d.rec0"),
                                          QStringLiteral("/b.rec0")}));
    EXPECT_EQ(QSettings(file, QSettings::IniFormat).value("Recent File List/File1").toString(),
              QStringLiteral("/c.rec0"));
}

TEST(ToolbarImagesTest, MaskColourOfTheFirstStoredPixelBecomesTransparent) {
    QImage strip(48, 23, QImage::Format_RGB32);
    strip.fill(QColor(10, 20, 30));
    strip.setPixel(0, 22, qRgb(200, 0, 200)); // bottom-left: the mask
    strip.setPixel(30, 0, qRgb(200, 0, 200));
    strip.setPixel(0, 0, qRgb(200, 0, 201)); // one step off: kept
    const std::vector<QPixmap> images = SplitMaskedImages(strip, 24);
    ASSERT_EQ(images.size(), 2U);
    const QImage first = images[0].toImage();
    const QImage second = images[1].toImage();
    EXPECT_EQ(qAlpha(first.pixel(0, 22)), 0);
    EXPECT_EQ(qAlpha(second.pixel(6, 0)), 0);
    EXPECT_EQ(first.pixel(0, 0), qRgb(200, 0, 201));
    EXPECT_EQ(second.pixel(0, 0), qRgb(10, 20, 30));

    EXPECT_TRUE(SplitMaskedImages(QImage(10, 23, QImage::Format_RGB32), 24).empty());
}

TEST(ToolbarImagesTest, DrawnStripsHoldSevenMaskedPictures) {
    for (bool hot : {false, true}) {
        const QImage strip = DrawButtonStrip(hot);
        EXPECT_EQ(strip.size(), QSize(168, 23));
        const std::vector<QPixmap> images = SplitMaskedImages(strip, 24);
        ASSERT_EQ(images.size(), 7U);
        for (const QPixmap& p : images) {
            const QImage img = p.toImage();
            int opaque = 0;
            for (int y = 0; y < img.height(); ++y)
                for (int x = 0; x < img.width(); ++x)
                    opaque += qAlpha(img.pixel(x, y)) == 255 ? 1 : 0;
            EXPECT_GT(opaque, 40); // a picture, on a transparent ground
            EXPECT_LT(opaque, 24 * 23);
        }
    }
}

TEST(AboutDlgTest, TextsAndSiteLink) {
    RecordingMessageBoxes boxes;
    std::vector<QUrl> opened;
    bool opens = true;
    CAboutDlg dialog(boxes, [&](const QUrl& url) {
        opened.push_back(url);
        return opens;
    });
    EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("О программе"));
    QStringList labels;
    for (QLabel* label : dialog.findChildren<QLabel*>())
        labels << label->text();
    EXPECT_TRUE(labels.contains(QString::fromUtf8("Конфигуратор ВЕЛТА Термикс-Т. Версия: 1.0")));

    QPushButton* site = nullptr;
    QPushButton* ok = nullptr;
    for (QPushButton* b : dialog.findChildren<QPushButton*>()) {
        if (b->property("controlId").toInt() == 1102)
            site = b;
        if (b->property("controlId").toInt() == 1)
            ok = b;
    }
    ASSERT_NE(site, nullptr);
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->text(), QStringLiteral("OK"));
    EXPECT_TRUE(ok->isDefault());
    EXPECT_TRUE(site->isFlat());

    site->click();
    ASSERT_EQ(opened.size(), 1U);
    EXPECT_EQ(opened[0], QUrl(QString::fromUtf8(kSiteUrl)));
    EXPECT_TRUE(boxes.shown.empty());

    opens = false;
    site->click();
    ASSERT_EQ(boxes.shown.size(), 1U);
    EXPECT_EQ(boxes.shown[0].text, "::Ошибка открытия ссылки!");
    EXPECT_EQ(boxes.shown[0].icon, MessageIcon::None);
    EXPECT_EQ(boxes.shown[0].buttons, MessageButtons::Ok);
}
