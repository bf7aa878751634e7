// The program's outer layer: the real message boxes, and the settings file a
// start could not read, which the end must not replace.
#include "app/QtPrompts.h"
#include "imaging/PictureSource.h"
#include "settings/SettingsFile.h"
#include "sorting/Form1.h"
#include "support/RecordingLauncher.h"
#include "support/ScriptedPrompts.h"
#include "support/TestFiles.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

using namespace sorvane;
using namespace sorvane::test;

Q_DECLARE_METATYPE(PromptButtons)
Q_DECLARE_METATYPE(PromptAnswer)

class AppTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The box is answered as a user does: Return takes the default button,
    // Escape the cancelling one, or a click on a button by its caption.
    void promptsMapButtonsAndAnswers_data() {
        QTest::addColumn<PromptButtons>("buttons");
        QTest::addColumn<QString>("defaultCaption");
        QTest::addColumn<QString>("press"); // "Return", "Escape" or a caption to click
        QTest::addColumn<PromptAnswer>("answer");
        QTest::newRow("OK, Return") << PromptButtons::Ok << "OK"
                                    << "Return" << PromptAnswer::Ok;
        QTest::newRow("OK, Escape") << PromptButtons::Ok << "OK"
                                    << "Escape" << PromptAnswer::Ok;
        QTest::newRow("OK Cancel, Return") << PromptButtons::OkCancel << "OK"
                                           << "Return" << PromptAnswer::Ok;
        QTest::newRow("OK Cancel, Escape") << PromptButtons::OkCancel << "OK"
                                           << "Escape" << PromptAnswer::Cancel;
        QTest::newRow("Retry Cancel, Return") << PromptButtons::RetryCancel << "Retry"
                                              << "Return" << PromptAnswer::Retry;
        QTest::newRow("Retry Cancel, Cancel clicked") << PromptButtons::RetryCancel << "Retry"
                                                      << "Cancel" << PromptAnswer::Cancel;
    }
    void promptsMapButtonsAndAnswers() {
        QFETCH(PromptButtons, buttons);
        QFETCH(QString, defaultCaption);
        QFETCH(QString, press);
        QFETCH(PromptAnswer, answer);
        QStringList seen; // title, text, icon, captions, default caption
        QTimer answering;
        answering.callOnTimeout([&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            answering.stop();
            QStringList captions;
            for (QAbstractButton* button : box->buttons())
                captions << button->text().remove(u'&');
            captions.sort();
            seen << box->windowTitle() << box->text()
                 << QString::number(box->icon() == QMessageBox::Information) << captions.join(u' ')
                 << box->defaultButton()->text().remove(u'&');
            if (press == "Return" || press == "Escape")
                QTest::keyClick(box, press == "Return" ? Qt::Key_Return : Qt::Key_Escape);
            for (QAbstractButton* button : box->buttons())
                if (button->text().remove(u'&') == press)
                    QTest::mouseClick(button, Qt::LeftButton);
        });
        answering.start(10);
        QtPrompts prompts;
        const PromptAnswer given = prompts.ask(
            {QStringLiteral("Sorvane"), QStringLiteral("ドライブ /mnt の準備ができていません。"),
             buttons, PromptIcon::Information});
        QCOMPARE(given, answer);
        QCOMPARE(seen.mid(0, 3),
                 (QStringList{"Sorvane", "ドライブ /mnt の準備ができていません。", "1"}));
        QVERIFY2(seen[3].split(u' ').size() == (buttons == PromptButtons::Ok ? 1 : 2),
                 qPrintable(seen[3]));
        QCOMPARE(seen[4], defaultCaption);
    }

    // A settings file the start could not read is kept as it is at the end.
    void unreadableSettingsAreNeverReplaced() {
        QTemporaryDir dir;
        Module1 module;
        module.ProgramFolder = dir.path();
        const QByteArray kept = "\"/only the user knows\"\r\n";
        QVERIFY(WriteFile(SettingsFilePath(module), kept));
        SetSettingsReader([](const QString&) { return std::optional<QByteArray>(); });
        ScriptedPrompts prompts;
        RecordingLauncher launcher;
        PictureSource pictures;
        {
            Form1 window(module, prompts, launcher, pictures);
            QVERIFY(window.Form_Load());
            window.show();
            QVERIFY(window.close());
        }
        SetSettingsReader(nullptr);
        QCOMPARE(ReadFile(SettingsFilePath(module)), kept);
        QCOMPARE(Files(dir.path()), QStringList{"Sorvane.ini"});
        QCOMPARE(prompts.asked.size(), 0);
    }
};

QTEST_MAIN(AppTest)
#include "tst_app.moc"
