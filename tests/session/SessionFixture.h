#pragma once

// One open editor's application layer in a scratch folder, without a
// window: the folder stands for the executable's, so the settings file and
// the default data folder are found there.
#include "document/ImageDocument.h"
#include "editor/BoardEditor.h"
#include "session/EditorSession.h"
#include "settings/AppSettings.h"
#include "support/TestFiles.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace session_testing {

class SessionTest : public ::testing::Test {
protected:
    SessionTest() : folder(testing_support::folderOf(dir)), session(folder)
    {
        QObject::connect(&session, &vexel::EditorSession::error, [this](const QString& m) { errors << m; });
        session.document().setFolder(folder);
    }

    // What the window does once its start-up has settled the first image.
    void started() { session.settings().setStartupDone(true); }

    void files(const QStringList& names)
    {
        for (const QString& name : names)
            testing_support::writeAll(folder + name, testing_support::blankImageText(96, 24));
    }

    vexel::ImageDocument& doc() { return session.document(); }

    QTemporaryDir dir;
    QString folder;
    vexel::EditorSession session;
    QStringList errors;
};

} // namespace session_testing
