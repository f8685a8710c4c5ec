#pragma once

#include <QString>

// The window captions, file filters, questions and notices that the subsystems show, each written once
// so the French wording stays exact. A control's own label stays beside the control; the donation
// window's words are in donation/credits.h.
namespace Messages {

QString applicationTitle();               // "Tapoli v4.2", from the version the changelog gives
QString captionWithoutFile(const QString &appTitle);
QString captionOpened(const QString &appTitle, const QString &path);
QString captionSavedAs(const QString &appTitle, const QString &path);

QString textCopied();
QString nothingToPaste();
QString initialiserQuestion(const QString &documentFileName);

QString keyboardFilter();
QString keyboardNotFound();
QString fontUnavailable();
QString keyboardNotModified();
QString keyboardFileNameNotStorable();
QString fileExists(const QString &path);
QString cannotSave();

QString documentFilter();
QString cannotLoad();
QString fileTooLarge(qint64 largestBytes);
QString saveQuestion(const QString &path);
QString changedElsewhere(const QString &path);
QString saveInUtf8Question();
QString keyboardModifiedAtExit();
QString saveTextAtExit();

QString settingsNotSaved(const QString &path);
QString settingsFileKept(const QString &path);

} // namespace Messages
