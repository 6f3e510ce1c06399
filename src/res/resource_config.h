#pragma once
// Resource ids of the config resources (config.rc).
