#pragma once

namespace snapdeck::gphoto2 {

// libgphoto2 keeps its settings in $HOME/.gphoto and, without HOME (a program started
// as a service), in "(null)/.gphoto". Without HOME this sets it to the user's home
// from the password database, else to the temporary folder. Call it before the
// library loads its settings.
void ensureHomeForLibrary();

} // namespace snapdeck::gphoto2
