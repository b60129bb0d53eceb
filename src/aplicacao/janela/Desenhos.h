#pragma once
// The window's pictures, drawn at run time so the program carries no image
// files: the 16 x 16 button pictures and the two header pictures.
#include <QIcon>
#include <QPixmap>

namespace janela {

// An open yellow folder ("Abrir").
QIcon IconePasta();
// A green tick ("Converter").
QIcon IconeConfirma();
// A door with a green arrow ("Sair").
QIcon IconeSaida();

// Left header picture: the company's mark.
QPixmap DesenhoLogo();
// Right header picture: two databases with the conversion arrow between them.
QPixmap DesenhoComp();

}  // namespace janela
