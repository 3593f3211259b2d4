#pragma once

class LegacyPreferences;
class SecurityScopes;
class UserEnvironment;

// The services of the platform the core uses, handed to the services that need them.
// The objects are owned elsewhere (the application, or a test) and outlive the users.
// Nothing here asks the user anything: panels and alerts belong to the window.
struct PlatformServices
{
    SecurityScopes& scopes;
    UserEnvironment& user;
    LegacyPreferences& preferences;
};
