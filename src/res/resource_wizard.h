#pragma once
// Resource ids of the wizard resources (wizard.rc).
