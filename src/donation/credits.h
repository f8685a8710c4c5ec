#pragma once

#include <QString>
#include <QStringList>

// The words and addresses of the donation window, kept together so they change in one place.
namespace Credits {

QString paymentService();
QString donationAddress();
QString homeAddress();

// The 22 lines that scroll in the donation window; empty lines take a line's height too.
QStringList lines();

QString donationQuestion();
QString homePageQuestion();
QString launchFailed();

} // namespace Credits
