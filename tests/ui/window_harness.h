#pragma once

#include "storage/vorlo_database.h"
#include "support/scripted_message_boxes.h"
#include "ui/main_window/main_window.h"
#include "ui/platform/platform.h"
#include "ui/widgets/proposal_editor.h"
#include "ui/widgets/text_box.h"

#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <deque>
#include <memory>

namespace vorlo::testing {

// The look of the character at `index` (counted from 0) of the editor.
inline QTextCharFormat format_at(const ProposalEditor* editor, int index) {
    QTextCursor cursor(editor->document());
    cursor.setPosition(index + 1);
    return cursor.charFormat();
}

inline QColor colour_at(const ProposalEditor* editor, int index) {
    return format_at(editor, index).foreground().color();
}

// Choosers answering from a script (an unscripted opening cancels), keeping the look opened on.
class ScriptedChoosers : public Choosers {
  public:
    std::deque<std::optional<qint32>> colours;
    std::deque<std::optional<FontChoice>> fonts;
    int openings = 0;
    QColor opened_on_colour;
    QFont opened_on_font;

    std::optional<qint32> choose_colour(const QColor& current) override {
        opened_on_colour = current;
        return next(colours);
    }
    std::optional<FontChoice> choose_font(const QFont& current) override {
        opened_on_font = current;
        return next(fonts);
    }

  private:
    template <typename T>
    std::optional<T> next(std::deque<std::optional<T>>& script) {
        ++openings;
        if (script.empty()) {
            return std::nullopt;
        }
        const std::optional<T> answer = script.front();
        script.pop_front();
        return answer;
    }
};

class FakeClipboard : public Clipboard {
  public:
    QString held;
    int writes = 0;
    QString text() const override { return held; }
    void set_text(const QString& text) override {
        held = text;
        ++writes;
    }
};

class RecordingExit : public ProgramExit {
  public:
    int ends = 0;
    void end_program() override { ++ends; }
};

// A database file in a temporary folder, to prepare before the window opens it.
struct PageFile {
    QTemporaryDir folder;
    QString path() const { return folder.filePath(VorloDatabase::file_name()); }
};

// The main window over a database file and scripted desktop services.
struct OpenWindow {
    VorloDatabase database;
    ScriptedMessageBoxes boxes;
    ScriptedChoosers choosers;
    FakeClipboard clipboard;
    RecordingExit exit;
    std::unique_ptr<MainWindow> window;

    explicit OpenWindow(const QString& path, bool read_only = false) {
        const VorloDatabase::OpenResult opened = database.open(path, read_only);
        if (!opened.ok) {
            qWarning("cannot open %s: %s", qPrintable(path), qPrintable(opened.error));
        }
        window = std::make_unique<MainWindow>(database, Platform{boxes, choosers, clipboard, exit});
    }
};

// A file made with its three tables, ready for a test to write into.
inline QString made_file(const PageFile& file) {
    VorloDatabase setup;
    setup.open(file.path());
    setup.close();
    return file.path();
}

inline QString prepared(const PageFile& file, const std::function<void(const QString&)>& prepare) {
    if (prepare) {
        prepare(made_file(file));
    }
    return file.path();
}

struct FileHolder {
    PageFile file;
};

// The main window over a file of its own, shown on the offscreen platform.
class WindowHarness : public FileHolder, public OpenWindow {
  public:
    // `prepare` may write into the file before the window opens it.
    explicit WindowHarness(const std::function<void(const QString&)>& prepare = {})
        : OpenWindow(prepared(file, prepare)) {
        window->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }

    // One turn typed and clicked: the reference LE CHAT, the proposal LU THON.
    void play_le_chat() {
        type_into(ref(), QStringLiteral("le chat"));
        click(QStringLiteral("init"));
        type_into(propal(), QStringLiteral("lu thon"));
        click(QStringLiteral("Générer"));
    }
    // The texts written into their boxes, then "Initialiser" or "Générer" clicked.
    void start(const QString& reference) {
        ref()->setPlainText(reference);
        click(QStringLiteral("init"));
    }
    void play(const QString& proposal) {
        propal()->setPlainText(proposal);
        click(QStringLiteral("Générer"));
    }

    template <typename T>
    T* find(const QString& name) const {
        T* child = window->findChild<T*>(name);
        if (!child) {
            qWarning("no control named %s", qPrintable(name));
        }
        return child;
    }
    TextBox* ref() const { return find<TextBox>(QStringLiteral("ref")); }
    TextBox* soluce() const { return find<TextBox>(QStringLiteral("soluce")); }
    TextBox* lettres() const { return find<TextBox>(QStringLiteral("lettres")); }
    ProposalEditor* propal() const { return find<ProposalEditor>(QStringLiteral("propal")); }
    QPushButton* button(const QString& name) const { return find<QPushButton>(name); }
    QString caption(const QString& name) const { return find<QLabel>(name)->text(); }

    // A mouse click: the button takes the focus on the press, then acts on the release.
    void click(const QString& name) { QTest::mouseClick(button(name), Qt::LeftButton); }
    // Selects the whole text of the box and types over it.
    void type_into(QWidget* box, const QString& text) {
        box->setFocus(Qt::MouseFocusReason);
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        for (const QChar c : text) {  // key events carrying their text, accents included
            QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
    }
    void trigger(const QString& item) {
        QAction* action = window->findChild<QAction*>(item);
        QVERIFY2(action, qPrintable(item));
        action->trigger();
    }
};

}  // namespace vorlo::testing
