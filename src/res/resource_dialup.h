#pragma once
// Resource ids of the dialup resources (dialup.rc).
