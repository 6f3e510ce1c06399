#pragma once
// Whether any dial-up connection exists (not only one this program made).
// A failed query counts as "none".
bool AnyDialUpConnection();
