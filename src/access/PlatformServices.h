#pragma once

class Alerts;
class Clipboard;
class FilePanels;
class FileReveal;
class LegacyPreferences;
class SecurityScopes;
class UserEnvironment;

// Every service of the platform the logic uses, handed to the services that need them.
// The objects are owned elsewhere (the application, or a test) and outlive the users.
struct PlatformServices
{
    SecurityScopes& scopes;
    UserEnvironment& user;
    LegacyPreferences& preferences;
    FilePanels& panels;
    Alerts& alerts;
    FileReveal& reveal;
    Clipboard& clipboard;
};
