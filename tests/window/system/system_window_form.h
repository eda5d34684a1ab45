// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tests/window/main/window_form.h"
#include "window/system/system_window.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QLocale>
#include <QMap>
#include <QPushButton>
#include <QTest>

#include <optional>

// The main window with its system window opened by "System…", the controls looked up by name.
// Warnings are recorded by the main window's presenter, which the system window's go through.
struct SystemWindowForm {
    WindowForm main;
    SystemWindow* window = nullptr;

    explicit SystemWindowForm(std::optional<QLocale> locale) : main(std::move(locale)) {}

    QPushButton* cmdSystem() const { return main.window.findChild<QPushButton*>("cmdSystem"); }

    bool open() {
        if (!main.open() || cmdSystem() == nullptr) {
            return false;
        }
        QTest::mouseClick(cmdSystem(), Qt::LeftButton);
        window = main.window.findChild<SystemWindow*>();
        return window != nullptr && isActive();
    }

    // Whether the system window has become the active one. Qt's wait for an active window
    // would not do: it counts a window as active while the main window, its parent, is.
    bool isActive() const {
        return QTest::qWaitFor([this] { return QApplication::activeWindow() == window; });
    }

    QLineEdit* field(const QString& name) const { return window->findChild<QLineEdit*>(name); }
    QComboBox* box(const QString& name) const { return window->findChild<QComboBox*>(name); }

    // Chooses an item of a box by its text, as the user does from the list; false without it.
    bool choose(const QString& boxName, const QString& item) {
        QComboBox* chosen = box(boxName);
        const int index = chosen->findText(item);
        if (index < 0) {
            return false;
        }
        chosen->setCurrentIndex(index);
        emit chosen->activated(index);
        return true;
    }

    // Pastes each text over its field's content, as a user does with Ctrl+A, Ctrl+V.
    void paste(const QMap<QString, QString>& texts) {
        for (auto it = texts.cbegin(); it != texts.cend(); ++it) {
            QLineEdit* edit = field(it.key());
            QApplication::clipboard()->setText(it.value());
            edit->setFocus(Qt::OtherFocusReason);
            QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
            if (it.value().isEmpty()) {
                QTest::keyClick(edit, Qt::Key_Delete);
            } else {
                QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
            }
        }
    }

    // Every field's text by its name, shown or not.
    QMap<QString, QString> texts() const {
        QMap<QString, QString> all;
        for (const QLineEdit* edit : window->findChildren<QLineEdit*>()) {
            if (!edit->objectName().isEmpty()) {
                all.insert(edit->objectName(), edit->text());
            }
        }
        return all;
    }

    void press() {
        QTest::mouseClick(window->findChild<QPushButton*>("cmdRechnen"), Qt::LeftButton);
    }
};
