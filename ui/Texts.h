#pragma once

#include <QString>

// Fixed texts that more than one window shows, spelled exactly as the
// operators know them (spaces and all).
namespace Texts {

inline const QString ProductNotFound = QStringLiteral("        Produto Nao Localizado          ");
inline const QString AccessDenied = QStringLiteral("       Acesso não autorizado         ");
inline const QString WrongUserOrPassword = QStringLiteral("Usuário ou Senha -> Está Incorreta");
inline const QString DeleteQuestion = QStringLiteral("Deseja Excluir Este Registro ?");
inline const QString DeleteCaption = QStringLiteral("Excluir");

} // namespace Texts
