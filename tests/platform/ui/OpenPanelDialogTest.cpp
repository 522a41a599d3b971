#include "platform/ui/OpenPanel.h"

#include "IsolatedEnvironment.h"
#include "ProcessEvents.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCompleter>
#include <QDir>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

using platform::ui::OpenPanel;

// The panel's own dialog, answered as a person would: a folder or a link to one chosen with the
// prompt button, or the dialog cancelled.
TEST(OpenPanelDialogTest, TakesFilesAndFoldersResolvesLinksAndCancels)
{
    const QString base = test::makeTemporaryFolder("panel");
    QDir().mkpath(base + "/Demo.app/Contents");
    test::writeFile(base + "/notes.txt", "x");
    QFile::link(base + "/Demo.app", base + "/Demo link");
    const struct {
        QString chosen;  // nothing: cancelled
        long response;
        QString kept;
    } cases[] = {
        {base + "/Demo.app", platform::ui::NSModalResponseOK, base + "/Demo.app"},
        {base + "/notes.txt", platform::ui::NSModalResponseOK, base + "/notes.txt"},
        {base + "/Demo link", platform::ui::NSModalResponseOK, base + "/Demo.app"},
        {QString(), platform::ui::NSModalResponseCancel, QString()},
    };
    for (const auto& c : cases) {
        auto panel = OpenPanel::openPanel();
        panel->setCanChooseDirectories(true);
        panel->setPrompt("add");
        panel->setDirectoryURL(QUrl::fromLocalFile(base));
        std::optional<long> response;
        panel->beginSheetModalForWindow(nullptr, [&](long answer) { response = answer; });
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_TRUE(dialog);
        EXPECT_EQ(dialog->labelText(QFileDialog::Accept), "add");
        auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
        QAbstractItemView* completions = name->completer()->popup();
        if (c.chosen.isEmpty()) {
            // A name typed and left: its completions, a window of their own, must go with the dialog.
            name->setText("no");
            ASSERT_TRUE(processEventsUntil([&] {
                name->completer()->setCompletionPrefix(base + "/no");
                name->completer()->complete();
                return completions->isVisible();
            }));
            dialog->reject();
        } else {
            // Qt names its button "Open" for a folder once its model has read it: the panel's adds it.
            auto* model = dialog->findChild<QFileSystemModel*>();
            ASSERT_TRUE(processEventsUntil([&] { return model->index(c.chosen).isValid(); }));
            dialog->selectFile(c.chosen);
            QPushButton* button = dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Open);
            EXPECT_TRUE(processEventsUntil([&] { return button->text() == "add"; })) << qPrintable(c.chosen);
            QMetaObject::invokeMethod(dialog, "accept"); // as the prompt button does
        }
        ASSERT_EQ(response, c.response) << qPrintable(c.chosen);
        EXPECT_FALSE(completions->isVisible()) << qPrintable(c.chosen);
        EXPECT_EQ(panel->URLs(), c.kept.isEmpty() ? QList<QUrl>{} : QList<QUrl>{QUrl::fromLocalFile(c.kept)});
    }
}
