#pragma once

#include <QString>

// The company folder ($TAMBLO_ROOT, by default ~/Kestrum) and the installation
// folder Estoque/ inside it, where the database and the small setting files live.
namespace Paths {

QString root();
QString install();                      // root()/Estoque
QString installFile(const QString &name); // install()/name
QString database();                     // install()/ESTFBKESTRUM20.FDB
void setRoot(const QString &root);      // tests point the program at a folder of their own

inline const char DatabaseFile[] = "ESTFBKESTRUM20.FDB";

} // namespace Paths
