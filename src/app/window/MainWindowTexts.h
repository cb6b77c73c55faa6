#pragma once

#include <QString>

namespace ostrelin::app::texts {

// Texts of the main window that more than one part of it shows.
inline const QString kCaptionPrinterPause = QStringLiteral("&Pozastavit tisk na tiskárně");
inline const QString kCaptionPrinterResume = QStringLiteral("&Obnovit tisk na tiskárně");
inline const QString kStatusReady = QStringLiteral("Tiskárna připravena");
inline const QString kStatusPaused = QStringLiteral("Tiskárna pozastavena");

}  // namespace ostrelin::app::texts
