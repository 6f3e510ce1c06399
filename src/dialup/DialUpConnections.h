#pragma once
// Whether any dial-up connection exists (not only one this program made).
// The library is looked up at run time; a missing library, or a query that
// fails, counts as "none".
bool AnyDialUpConnection();
