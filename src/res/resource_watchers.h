#pragma once
// Resource ids of the watchers resources (watchers.rc).
