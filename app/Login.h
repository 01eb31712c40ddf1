#pragma once

// Shows the login window; on return CurrentUserName holds who logged in, or is
// empty. Returns false when the program has no login step to show.
bool RunLogin();
