<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE" sourcelanguage="en">
<context>
    <name>AddProjectSheet</name>
    <message>
        <source>Restore skills from quorvane-lock.json</source>
        <translation>Skills aus quorvane-lock.json wiederherstellen</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Hinzufügen</translation>
    </message>
    <message>
        <source>Add Project</source>
        <translation>Projekt hinzufügen</translation>
    </message>
    <message>
        <source>Project folder</source>
        <translation>Projektordner</translation>
    </message>
    <message>
        <source>Choose Folder...</source>
        <translation>Ordner wählen...</translation>
    </message>
    <message>
        <source>Choose...</source>
        <translation>Wählen...</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Kopie</translation>
    </message>
    <message>
        <source>Link</source>
        <translation>Link</translation>
    </message>
    <message>
        <source>Links only for folders that version control ignores: a link into your hub helps no one who clones the project</source>
        <translation>Links nur für Ordner, die die Versionsverwaltung ignoriert: ein Link in deinen Hub hilft niemandem, der das Projekt klont</translation>
    </message>
    <message>
        <source>Assistants</source>
        <translation>Assistenten</translation>
    </message>
    <message>
        <source>Placement</source>
        <translation>Verknüpfungsart</translation>
    </message>
    <message>
        <source>Already added</source>
        <translation>Schon hinzugefügt</translation>
    </message>
    <message>
        <source>The folder “%1” could not be created: %2</source>
        <translation>Der Ordner „%1“ konnte nicht angelegt werden: %2</translation>
    </message>
    <message>
        <source>“%1” is a link that leads out of the project.</source>
        <translation>„%1“ ist ein Link, der aus dem Projekt hinausführt.</translation>
    </message>
    <message>
        <source>Access to “%1” cannot be kept.</source>
        <translation>Der Zugriff auf „%1“ lässt sich nicht behalten.</translation>
    </message>
    <message>
        <source>%1 could not be added.</source>
        <translation>%1 konnte nicht hinzugefügt werden.</translation>
    </message>
    <message>
        <source>Search assistants</source>
        <translation>Assistenten suchen</translation>
    </message>
    <message>
        <source>Assistants of the project</source>
        <translation>Assistenten des Projekts</translation>
    </message>
</context>
<context>
    <name>AddTargetAppSheet</name>
    <message>
        <source>Add</source>
        <translation>Hinzufügen</translation>
    </message>
    <message>
        <source>Add New App</source>
        <translation>Neue App hinzufügen</translation>
    </message>
    <message>
        <source>Custom App</source>
        <translation>Eigene App</translation>
    </message>
    <message>
        <source>present</source>
        <translation>vorhanden</translation>
    </message>
    <message>
        <source>copy recommended</source>
        <translation>Kopie empfohlen</translation>
    </message>
    <message>
        <source>e.g. Codex, Gemini</source>
        <translation>z.B. Codex, Gemini</translation>
    </message>
    <message>
        <source>Target folder</source>
        <translation>Zielordner</translation>
    </message>
    <message>
        <source>Choose Folder...</source>
        <translation>Ordner wählen...</translation>
    </message>
    <message>
        <source>Choose...</source>
        <translation>Wählen...</translation>
    </message>
    <message>
        <source>Link</source>
        <translation>Link</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Kopie</translation>
    </message>
    <message>
        <source>Copies for assistants that do not follow links</source>
        <translation>Kopien für Assistenten, die Links nicht folgen</translation>
    </message>
    <message>
        <source>Known App</source>
        <translation>Bekannte App</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Placement</source>
        <translation>Verknüpfungsart</translation>
    </message>
    <message>
        <source>The folder “%1” does not exist yet.</source>
        <translation>Der Ordner „%1“ existiert noch nicht.</translation>
    </message>
    <message>
        <source>Should it be created?</source>
        <translation>Soll er angelegt werden?</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Create</source>
        <translation>Anlegen</translation>
    </message>
    <message>
        <source>The folder could not be created.</source>
        <translation>Der Ordner konnte nicht angelegt werden.</translation>
    </message>
    <message>
        <source>The app could not be added.</source>
        <translation>Die App konnte nicht hinzugefügt werden.</translation>
    </message>
    <message>
        <source>“%1” is not a folder.</source>
        <translation>„%1“ ist kein Ordner.</translation>
    </message>
    <message>
        <source>Access to “%1” cannot be kept.</source>
        <translation>Der Zugriff auf „%1“ lässt sich nicht behalten.</translation>
    </message>
    <message>
        <source>The app needs a name.</source>
        <translation>Die App braucht einen Namen.</translation>
    </message>
    <message>
        <source>Search assistants</source>
        <translation>Assistenten suchen</translation>
    </message>
</context>
<context>
    <name>AssistantPresets</name>
    <message>
        <source>Shared agents folder</source>
        <translation>Gemeinsamer Agents-Ordner</translation>
    </message>
</context>
<context>
    <name>AuditTexts</name>
    <message>
        <source>High</source>
        <translation>Hoch</translation>
    </message>
    <message>
        <source>Medium</source>
        <translation>Mittel</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Hinweis</translation>
    </message>
    <message>
        <source>Info</source>
        <translation>Info</translation>
    </message>
    <message>
        <source>Code from the network</source>
        <translation>Code aus dem Netz</translation>
    </message>
    <message>
        <source>Data sent out</source>
        <translation>Daten nach außen</translation>
    </message>
    <message>
        <source>Access to credentials</source>
        <translation>Zugriff auf Zugangsdaten</translation>
    </message>
    <message>
        <source>Smuggled instructions</source>
        <translation>Untergeschobene Anweisungen</translation>
    </message>
    <message>
        <source>Invisible characters</source>
        <translation>Unsichtbare Zeichen</translation>
    </message>
    <message>
        <source>Obfuscated code</source>
        <translation>Verschleierter Code</translation>
    </message>
    <message>
        <source>Executable program</source>
        <translation>Ausführbares Programm</translation>
    </message>
    <message>
        <source>Destructive changes</source>
        <translation>Zerstörerische Änderungen</translation>
    </message>
    <message>
        <source>Executable file</source>
        <translation>Ausführbare Datei</translation>
    </message>
    <message>
        <source>Oversized skill</source>
        <translation>Überlanger Skill</translation>
    </message>
    <message>
        <source>Format</source>
        <translation>Format</translation>
    </message>
    <message>
        <source>decoded: %1</source>
        <translation>entschlüsselt: %1</translation>
    </message>
    <message>
        <source>found: %1</source>
        <translation>gefunden: %1</translation>
    </message>
</context>
<context>
    <name>CentralHubListView</name>
    <message>
        <source>Choose Central Folder</source>
        <translation>Zentralen Ordner auswählen</translation>
    </message>
    <message>
        <source>No skills found in the central folder.</source>
        <translation>Keine Skills im zentralen Ordner gefunden.</translation>
    </message>
    <message>
        <source>Central Hub</source>
        <translation>Zentraler Hub</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>Aktualisieren</translation>
    </message>
    <message>
        <source>Check for Updates</source>
        <translation>Nach Updates suchen</translation>
    </message>
    <message>
        <source>Search skills...</source>
        <translation>Skills suchen...</translation>
    </message>
    <message>
        <source>Search skills in the hub</source>
        <translation>Skills im Hub suchen</translation>
    </message>
    <message>
        <source>Skills in the hub</source>
        <translation>Skills im Hub</translation>
    </message>
    <message>
        <source>Loading …</source>
        <translation>Lädt …</translation>
    </message>
    <message>
        <source>Show in File Manager</source>
        <translation>Im Finder anzeigen</translation>
    </message>
    <message>
        <source>Do you really want to delete &apos;%1&apos;?</source>
        <translation>Möchtest du &apos;%1&apos; wirklich löschen?</translation>
    </message>
    <message>
        <source>This action cannot be undone.</source>
        <translation>Diese Aktion kann nicht rückgängig gemacht werden.</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>No skill in the hub comes from a known source; only installed skills can be checked for updates.</source>
        <translation>Kein Skill im Hub stammt aus einer bekannten Quelle; nur installierte Skills lassen sich auf Updates prüfen.</translation>
    </message>
    <message>
        <source>Updates are available for: %1</source>
        <translation>Updates gibt es für: %1</translation>
    </message>
    <message>
        <source>All installed skills are up to date.</source>
        <translation>Alle installierten Skills sind aktuell.</translation>
    </message>
    <message>
        <source>No updates found.</source>
        <translation>Keine Updates gefunden.</translation>
    </message>
    <message>
        <source>Checked: %1 of %2 skills. Without a known source, hence not checked: %3</source>
        <translation>Geprüft: %1 von %2 Skills. Ohne bekannte Quelle, daher nicht geprüft: %3</translation>
    </message>
    <message>
        <source>Changed here since installation: %1</source>
        <translation>Hier geändert seit der Installation: %1</translation>
    </message>
    <message>
        <source>Not checked:</source>
        <translation>Nicht geprüft:</translation>
    </message>
</context>
<context>
    <name>Cli</name>
    <message>
        <source>No known assistant has the id %1; `quorvane-cli apps presets` lists them.</source>
        <translation>Kein bekannter Assistent hat die Id %1; `quorvane-cli apps presets` zeigt sie alle.</translation>
    </message>
    <message>
        <source>Say --copy or --link, not both.</source>
        <translation>Nenne --copy oder --link, nicht beides.</translation>
    </message>
    <message>
        <source>	copy recommended</source>
        <translation>	Kopie empfohlen</translation>
    </message>
    <message>
        <source>	project folder </source>
        <translation>	Ordner im Projekt </translation>
    </message>
    <message>
        <source>The apps could not be removed: </source>
        <translation>Die Apps konnten nicht entfernt werden: </translation>
    </message>
    <message>
        <source>The mode is link or copy, not &quot;%1&quot;.</source>
        <translation>Die Art ist link oder copy, nicht „%1“.</translation>
    </message>
    <message>
        <source>%1 is not a folder</source>
        <translation>%1 ist kein Ordner</translation>
    </message>
    <message>
        <source>No hub item named </source>
        <translation>Kein Element im Hub heißt </translation>
    </message>
    <message>
        <source>--accept takes the hub items whose findings to accept</source>
        <translation>--accept nimmt die Elemente im Hub, deren Befunde akzeptiert werden</translation>
    </message>
    <message>
        <source>audit takes hub items or --path DIR, not both</source>
        <translation>audit nimmt Elemente im Hub oder --path ORDNER, nicht beides</translation>
    </message>
    <message>
        <source>Cannot record the acceptance: </source>
        <translation>Die Akzeptanz lässt sich nicht vermerken: </translation>
    </message>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>%1 lässt sich nicht schreiben: %2</translation>
    </message>
    <message>
        <source>%1: the audit found risks of level high, nothing was installed; --accept-risk installs it all the same</source>
        <translation>%1: Die Prüfung fand ein hohes Risiko, nichts wurde installiert; --accept-risk installiert trotzdem</translation>
    </message>
    <message>
        <source>%1: the audit found risks of level high, nothing was placed; --accept-risk places it all the same</source>
        <translation>%1: Die Prüfung fand ein hohes Risiko, nichts wurde abgelegt; --accept-risk legt trotzdem ab</translation>
    </message>
    <message>
        <source>The backup could not be written.</source>
        <translation>Das Backup konnte nicht geschrieben werden.</translation>
    </message>
    <message>
        <source>Import failed: the backup file could not be read: %1</source>
        <translation>Import Fehlgeschlagen: Die Backup-Datei konnte nicht gelesen werden: %1</translation>
    </message>
    <message>
        <source>The store cannot be opened; it was left unchanged. </source>
        <translation>Der Datenspeicher lässt sich nicht öffnen; er blieb unverändert. </translation>
    </message>
    <message>
        <source>%1 %2 (%3); --force replaces it.</source>
        <translation>%1 %2 (%3); --force ersetzt es.</translation>
    </message>
    <message>
        <source>is in the hub, but nothing records where it came from</source>
        <translation>liegt im Hub, aber nichts hält fest, woher es stammt</translation>
    </message>
    <message>
        <source>was changed here</source>
        <translation>wurde hier geändert</translation>
    </message>
    <message>
        <source>Nothing the doctor may fix by itself.
</source>
        <translation>Nichts, was der Doktor selbst beheben darf.
</translation>
    </message>
    <message>
        <source>The folder of &quot;%1&quot; cannot be reached.</source>
        <translation>Der Ordner von „%1“ ist nicht erreichbar.</translation>
    </message>
    <message>
        <source>There is no entry &quot;%1&quot; in the folder of &quot;%2&quot;.</source>
        <translation>Im Ordner von „%2“ gibt es keinen Eintrag „%1“.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a local item or a link outside the hub; there is nothing to import.</source>
        <translation>„%1“ ist weder ein lokales Element noch ein Link außerhalb des Hubs; es gibt nichts zu importieren.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; could not be imported.</source>
        <translation>„%1“ konnte nicht importiert werden.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a broken link with an item of the same name in the hub.</source>
        <translation>„%1“ ist kein kaputter Link mit einem namensgleichen Element im Hub.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; could not be repaired.</source>
        <translation>„%1“ konnte nicht repariert werden.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; could not be removed.</source>
        <translation>„%1“ konnte nicht entfernt werden.</translation>
    </message>
    <message>
        <source>Moved &quot;%1&quot; to the trash: %2
</source>
        <translation>„%1“ liegt jetzt im Papierkorb: %2
</translation>
    </message>
    <message>
        <source>Deleted &quot;%1&quot; (there is no trash for this folder).
</source>
        <translation>„%1“ gelöscht (für diesen Ordner gibt es keinen Papierkorb).
</translation>
    </message>
    <message>
        <source>The hub folder %1 cannot be read: %2</source>
        <translation>Der Ordner des Hubs %1 lässt sich nicht lesen: %2</translation>
    </message>
    <message>
        <source>The hub folder %1 does not exist yet: create it, or choose another with quorvane-cli hub set FOLDER
</source>
        <translation>Der Ordner des Hubs %1 existiert noch nicht: lege ihn an, oder wähle einen anderen mit quorvane-cli hub set ORDNER
</translation>
    </message>
    <message>
        <source> --force replaces it.</source>
        <translation> --force ersetzt es.</translation>
    </message>
    <message>
        <source> --force removes it.</source>
        <translation> --force entfernt es.</translation>
    </message>
    <message>
        <source>%1: %2; nothing was changed.%3</source>
        <translation>%1: %2; nichts wurde geändert.%3</translation>
    </message>
    <message>
        <source>The hub has no item &quot;%1&quot;.</source>
        <translation>Der Hub hat kein Element „%1“.</translation>
    </message>
    <message>
        <source>Already linked: </source>
        <translation>Schon verknüpft: </translation>
    </message>
    <message>
        <source>Not linked: </source>
        <translation>Nicht verknüpft: </translation>
    </message>
    <message>
        <source>&quot;%1&quot; could not be linked into &quot;%2&quot;.</source>
        <translation>„%1“ konnte nicht mit „%2“ verknüpft werden.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; could not be unlinked from &quot;%2&quot;.</source>
        <translation>Die Verknüpfung von „%1“ mit „%2“ konnte nicht entfernt werden.</translation>
    </message>
    <message>
        <source>--all takes only the app.</source>
        <translation>--all nimmt nur die App.</translation>
    </message>
    <message>
        <source>The app needs a name.</source>
        <translation>Die App braucht einen Namen.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a folder.</source>
        <translation>„%1“ ist kein Ordner.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; does not exist yet. --create makes it.</source>
        <translation>„%1“ existiert noch nicht. --create legt ihn an.</translation>
    </message>
    <message>
        <source>No access to &quot;%1&quot; could be kept.</source>
        <translation>Der Zugriff auf „%1“ lässt sich nicht behalten.</translation>
    </message>
    <message>
        <source>The app could not be saved: </source>
        <translation>Die App konnte nicht gespeichert werden: </translation>
    </message>
    <message>
        <source>A name of only blanks is not a name; &quot;%1&quot; keeps its name.</source>
        <translation>Ein Name nur aus Leerzeichen ist kein Name; „%1“ behält seinen Namen.</translation>
    </message>
    <message>
        <source>There is no app with the id or name &quot;%1&quot;.</source>
        <translation>Es gibt keine App mit der Id oder dem Namen „%1“.</translation>
    </message>
    <message>
        <source>%1 has no known skills folder inside a project.</source>
        <translation>%1 hat keinen bekannten Skills-Ordner in einem Projekt.</translation>
    </message>
    <message>
        <source>The project &quot;%1&quot; is not a folder.</source>
        <translation>Das Projekt „%1“ ist kein Ordner.</translation>
    </message>
    <message>
        <source>%1 is a link that leads out of the project %2; nothing was added.</source>
        <translation>%1 ist ein Link, der aus dem Projekt %2 hinausführt; nichts wurde hinzugefügt.</translation>
    </message>
    <message>
        <source>Several apps are named &quot;%1&quot;; name one by its id: %2</source>
        <translation>Mehrere Apps heißen „%1“; nenne eine bei ihrer Id: %2</translation>
    </message>
    <message>
        <source>Nothing to change.
</source>
        <translation>Nichts zu ändern.
</translation>
    </message>
    <message>
        <source>%1 conflict(s); nothing was changed.</source>
        <translation>Konflikte: %1; nichts wurde geändert.</translation>
    </message>
    <message>
        <source>%1 conflict(s); nothing was changed. --skip-conflicts does the rest%2.</source>
        <translation>Konflikte: %1; nichts wurde geändert. --skip-conflicts erledigt den Rest%2.</translation>
    </message>
    <message>
        <source>; --force also replaces copies changed here</source>
        <translation>; --force ersetzt auch hier geänderte Kopien</translation>
    </message>
    <message>
        <source>Nothing to restore: the project is as its lock file says.
</source>
        <translation>Nichts wiederherzustellen: das Projekt ist, wie seine Sperrdatei sagt.
</translation>
    </message>
    <message>
        <source>Not pinned to a commit, so fetched at the ref as it is now: </source>
        <translation>Nicht auf einen Commit festgelegt, daher im heutigen Stand geholt: </translation>
    </message>
    <message>
        <source>%1 conflict(s); --frozen changes nothing.</source>
        <translation>Konflikte: %1; --frozen ändert nichts.</translation>
    </message>
    <message>
        <source>Placed here but not in the lock file: %1; --frozen changes nothing.</source>
        <translation>Hier abgelegt, aber nicht in der Sperrdatei: %1; --frozen ändert nichts.</translation>
    </message>
    <message>
        <source>No app belongs to the project %1; apps add --preset ID --project DIR adds one.</source>
        <translation>Zum Projekt %1 gehört keine App; apps add --preset ID --project ORDNER fügt eine hinzu.</translation>
    </message>
    <message>
        <source>Not pinned to a commit (it could not be told at install): </source>
        <translation>Nicht auf einen Commit festgelegt (er ließ sich bei der Installation nicht ermitteln): </translation>
    </message>
    <message>
        <source>%1 is not current; quorvane-cli lock writes it.</source>
        <translation>%1 ist nicht aktuell; quorvane-cli lock schreibt sie.</translation>
    </message>
    <message>
        <source> (listing cut short by GitHub)</source>
        <translation> (von GitHub gekürzte Liste)</translation>
    </message>
    <message>
        <source>%1: no changes
</source>
        <translation>%1: keine Änderungen
</translation>
    </message>
    <message>
        <source>There is no source to search: quorvane-cli sources add github OWNER/REPO</source>
        <translation>Es gibt keine Quelle zum Suchen: quorvane-cli sources add github OWNER/REPO</translation>
    </message>
    <message>
        <source>Say which skill to install: --skill-id PATH-OR-ID.</source>
        <translation>Nenne den Skill, der installiert wird: --skill-id PFAD-ODER-ID.</translation>
    </message>
    <message>
        <source>Choose the hub folder first: quorvane-cli hub set FOLDER</source>
        <translation>Wähle zuerst den Ordner des Hubs: quorvane-cli hub set ORDNER</translation>
    </message>
    <message>
        <source>Say which items to compare: update ITEM... --diff.</source>
        <translation>Nenne die Elemente, die verglichen werden: update ELEMENT... --diff.</translation>
    </message>
    <message>
        <source>Say --check, or which items to update: ITEM... or --all.</source>
        <translation>Nenne --check, oder welche Elemente aktualisiert werden: ELEMENT... oder --all.</translation>
    </message>
    <message>
        <source>No hub item named %1 could be checked.
</source>
        <translation>Kein Element im Hub namens %1 ließ sich prüfen.
</translation>
    </message>
    <message>
        <source>%1: nothing records where it came from; it cannot be updated.
</source>
        <translation>%1: nichts hält fest, woher es stammt; es lässt sich nicht aktualisieren.
</translation>
    </message>
    <message>
        <source>%1: would be replaced from %2</source>
        <translation>%1: würde aus %2 ersetzt</translation>
    </message>
    <message>
        <source>%1: would be updated from %2</source>
        <translation>%1: würde aus %2 aktualisiert</translation>
    </message>
    <message>
        <source>print results as JSON</source>
        <translation>Ergebnisse als JSON ausgeben</translation>
    </message>
    <message>
        <source>show the commands, or one command with an example</source>
        <translation>die Befehle zeigen, oder einen Befehl mit einem Beispiel</translation>
    </message>
    <message>
        <source>tell the version</source>
        <translation>die Version nennen</translation>
    </message>
    <message>
        <source>GitHub&apos;s raw content host</source>
        <translation>der Host für GitHubs Rohinhalte</translation>
    </message>
    <message>
        <source>GitHub&apos;s API host</source>
        <translation>der API-Host von GitHub</translation>
    </message>
    <message>
        <source>a directory searched for this one call</source>
        <translation>ein Verzeichnis, in dem nur bei diesem Aufruf gesucht wird</translation>
    </message>
    <message>
        <source>every item (or every item with an update)</source>
        <translation>jedes Element (oder jedes Element mit einem Update)</translation>
    </message>
    <message>
        <source>only tell</source>
        <translation>nur sagen</translation>
    </message>
    <message>
        <source>place copies rather than links</source>
        <translation>Kopien statt Links ablegen</translation>
    </message>
    <message>
        <source>make a missing folder</source>
        <translation>einen fehlenden Ordner anlegen</translation>
    </message>
    <message>
        <source>tell what would change, change nothing</source>
        <translation>sagen, was sich ändern würde, nichts ändern</translation>
    </message>
    <message>
        <source>also replace or remove what was changed here, or is of unknown origin</source>
        <translation>auch ersetzen oder entfernen, was hier geändert wurde oder unbekannter Herkunft ist</translation>
    </message>
    <message>
        <source>leave what is in the way, do the rest</source>
        <translation>lassen, was im Weg steht, den Rest erledigen</translation>
    </message>
    <message>
        <source>a known assistant (see apps presets)</source>
        <translation>ein bekannter Assistent (siehe apps presets)</translation>
    </message>
    <message>
        <source>the project folder (a repository) the app&apos;s folder lies in</source>
        <translation>der Projektordner (ein Repository), in dem der Ordner der App liegt</translation>
    </message>
    <message>
        <source>place links rather than copies in a project</source>
        <translation>in einem Projekt Links statt Kopien ablegen</translation>
    </message>
    <message>
        <source>change nothing unless the lock file is restored exactly</source>
        <translation>nichts ändern, außer die Sperrdatei wird genau wiederhergestellt</translation>
    </message>
    <message>
        <source>bring back no hub items from GitHub</source>
        <translation>keine Elemente des Hubs von GitHub zurückholen</translation>
    </message>
    <message>
        <source>make no network request; take fetched content from the cache only</source>
        <translation>keine Anfrage ins Netz; geholte Inhalte nur aus dem Zwischenspeicher nehmen</translation>
    </message>
    <message>
        <source>also write the findings as SARIF 2.1.0 to FILE</source>
        <translation>die Befunde auch als SARIF 2.1.0 in DATEI schreiben</translation>
    </message>
    <message>
        <source>add the YARA rule files (*.yar) of DIR to the audit&apos;s rules</source>
        <translation>die YARA-Regeldateien (*.yar) aus ORDNER zu den Regeln der Prüfung nehmen</translation>
    </message>
    <message>
        <source>accept the named items&apos; current findings</source>
        <translation>die heutigen Befunde der genannten Elemente akzeptieren</translation>
    </message>
    <message>
        <source>go on despite findings of level high, accepting them</source>
        <translation>trotz Befunden mit hohem Risiko weitermachen und sie akzeptieren</translation>
    </message>
    <message>
        <source>carry out every safe fix, after showing the plan</source>
        <translation>jede sichere Behebung ausführen, nachdem der Plan gezeigt wurde</translation>
    </message>
    <message>
        <source>show what the update changes, as a unified diff; change nothing</source>
        <translation>zeigen, was das Update ändert, als Unified Diff; nichts ändern</translation>
    </message>
    <message>
        <source>the skill&apos;s folder in the repository, or its name</source>
        <translation>der Ordner des Skills im Repository, oder sein Name</translation>
    </message>
    <message>
        <source>the hub folder&apos;s name instead of the skill&apos;s</source>
        <translation>der Name des Ordners im Hub statt des Skill-Namens</translation>
    </message>
    <message>
        <source>make FOLDER the central hub (bookmark, settings, rescan)</source>
        <translation>ORDNER zum Zentralen Hub machen (Lesezeichen, Einstellungen, neu einlesen)</translation>
    </message>
    <message>
        <source>the hub folder and its items (file name, name, kind, first preview line)</source>
        <translation>der Ordner des Hubs und seine Elemente (Dateiname, Name, Art, erste Zeile der Vorschau)</translation>
    </message>
    <message>
        <source>switch how APP&apos;s items stand in its folder, converting what Quorvane placed there</source>
        <translation>umstellen, wie die Elemente von APP in ihrem Ordner stehen, und umwandeln, was Quorvane dort abgelegt hat</translation>
    </message>
    <message>
        <source>the known assistants: id, name, folder, whether it exists, whether copies are recommended, the folder in a project</source>
        <translation>die bekannten Assistenten: Id, Name, Ordner, ob es ihn gibt, ob Kopien empfohlen sind, der Ordner in einem Projekt</translation>
    </message>
    <message>
        <source>rename a target app</source>
        <translation>eine Ziel-App umbenennen</translation>
    </message>
    <message>
        <source>delete apps and their link records (links on disk stay)</source>
        <translation>Apps und ihre Verknüpfungsdaten löschen (die Links auf der Platte bleiben)</translation>
    </message>
    <message>
        <source>the target apps (id, name, folder)</source>
        <translation>die Ziel-Apps (Id, Name, Ordner)</translation>
    </message>
    <message>
        <source>place the hub items ITEM... (their file names), or every hub item, into APP&apos;s folder</source>
        <translation>die Elemente ELEMENT... des Hubs (ihre Dateinamen), oder jedes Element, im Ordner von APP ablegen</translation>
    </message>
    <message>
        <source>take ITEM..., or everything Quorvane placed, out of APP&apos;s folder</source>
        <translation>ELEMENT..., oder alles, was Quorvane abgelegt hat, aus dem Ordner von APP nehmen</translation>
    </message>
    <message>
        <source>bring what Quorvane placed in APP&apos;s folder in line with the hub (outdated copies, missing entries)</source>
        <translation>was Quorvane im Ordner von APP abgelegt hat, mit dem Hub abgleichen (veraltete Kopien, fehlende Einträge)</translation>
    </message>
    <message>
        <source>the apps ITEM is linked into</source>
        <translation>die Apps, mit denen ELEMENT verknüpft ist</translation>
    </message>
    <message>
        <source>every entry of APP&apos;s folder with its state (linked, copied, outdated, modified, repairable, broken, importable)</source>
        <translation>jeder Eintrag im Ordner von APP mit seinem Zustand (linked, copied, outdated, modified, repairable, broken, importable)</translation>
    </message>
    <message>
        <source>move ENTRY of APP&apos;s folder into the hub and leave a link</source>
        <translation>EINTRAG aus dem Ordner von APP in den Hub verschieben und einen Link zurücklassen</translation>
    </message>
    <message>
        <source>point a broken link at the hub item of the same name</source>
        <translation>einen kaputten Link auf das namensgleiche Element im Hub richten</translation>
    </message>
    <message>
        <source>move ENTRY of APP&apos;s folder (a link as a link) to the trash, or delete it where there is none</source>
        <translation>EINTRAG aus dem Ordner von APP (einen Link als Link) in den Papierkorb legen, oder löschen, wo es keinen gibt</translation>
    </message>
    <message>
        <source>search every source: GitHub indexes here, directories over the network</source>
        <translation>in jeder Quelle suchen: GitHub-Verzeichnisse hier, Verzeichnisse über das Netz</translation>
    </message>
    <message>
        <source>compare installed skills with their repositories, or update them</source>
        <translation>installierte Skills mit ihren Repositorys vergleichen, oder sie aktualisieren</translation>
    </message>
    <message>
        <source>write the whole configuration to FILE</source>
        <translation>die ganze Einrichtung in DATEI schreiben</translation>
    </message>
    <message>
        <source>replace the configuration with FILE&apos;s, fetch the installed skills the hub lacks and recreate missing links, after showing the plan</source>
        <translation>die Einrichtung durch die aus DATEI ersetzen, die installierten Skills holen, die dem Hub fehlen, und fehlende Links neu anlegen, nachdem der Plan gezeigt wurde</translation>
    </message>
    <message>
        <source>write DIR&apos;s quorvane-lock.json from its project apps (DIR: the current folder); --check only tells whether it is current</source>
        <translation>die quorvane-lock.json von ORDNER aus seinen Apps schreiben (ORDNER: der aktuelle Ordner); --check sagt nur, ob sie aktuell ist</translation>
    </message>
    <message>
        <source>bring back the skills DIR&apos;s quorvane-lock.json names, into the hub and the project&apos;s apps, after showing the plan</source>
        <translation>die Skills, die die quorvane-lock.json von ORDNER nennt, in den Hub und die Apps des Projekts zurückholen, nachdem der Plan gezeigt wurde</translation>
    </message>
    <message>
        <source>empty the cache of fetched skill folders (the hub keeps its items)</source>
        <translation>den Zwischenspeicher geholter Skill-Ordner leeren (der Hub behält seine Elemente)</translation>
    </message>
    <message>
        <source>the cache of fetched skill folders: its size and entries</source>
        <translation>der Zwischenspeicher geholter Skill-Ordner: seine Größe und Einträge</translation>
    </message>
    <message>
        <source>recreate recorded links that are missing, after showing the plan</source>
        <translation>vermerkte Links, die fehlen, neu anlegen, nachdem der Plan gezeigt wurde</translation>
    </message>
    <message>
        <source>add a place the store searches</source>
        <translation>einen Ort hinzufügen, an dem der Store sucht</translation>
    </message>
    <message>
        <source>stop searching a source</source>
        <translation>in einer Quelle nicht mehr suchen</translation>
    </message>
    <message>
        <source>the sources: id, kind, location, skill count, last refresh</source>
        <translation>die Quellen: Id, Art, Ort, Zahl der Skills, zuletzt gelesen</translation>
    </message>
    <message>
        <source>check the hub&apos;s skill folders (or ITEM) against the skill format: item, level, message</source>
        <translation>die Skill-Ordner des Hubs (oder ELEMENT) gegen das Skill-Format prüfen: Element, Stufe, Meldung</translation>
    </message>
    <message>
        <source>audit the hub&apos;s items (or ITEM..., or each skill folder under DIR) for hidden characters, instructions aimed at the assistant, code fetched and run, secrets read or sent, with the shipped YARA rules and the user&apos;s own: level, item/file:line, rule, message</source>
        <translation>die Elemente des Hubs (oder ELEMENT..., oder jeden Skill-Ordner unter ORDNER) auf versteckte Zeichen, an den Assistenten gerichtete Anweisungen, geholten und ausgeführten Code, gelesene oder gesendete Geheimnisse prüfen, mit den mitgelieferten YARA-Regeln und den eigenen: Stufe, Element/Datei:Zeile, Regel, Meldung</translation>
    </message>
    <message>
        <source>tell whether each assistant can see each skill placed for it: level, app, entry, problem, message; --fix carries out the safe fixes</source>
        <translation>sagen, ob jeder Assistent jeden für ihn abgelegten Skill sieht: Stufe, App, Eintrag, Problem, Meldung; --fix führt die sicheren Behebungen aus</translation>
    </message>
    <message>
        <source>unknown option --%1</source>
        <translation>unbekannte Option --%1</translation>
    </message>
    <message>
        <source>unknown command &quot;%1&quot;</source>
        <translation>unbekannter Befehl „%1“</translation>
    </message>
    <message>
        <source>%1 does not take --%2</source>
        <translation>%1 nimmt kein --%2</translation>
    </message>
    <message>
        <source>Usage: quorvane-cli [--json] COMMAND [ARGS]

Commands:
</source>
        <translation>Aufruf: quorvane-cli [--json] BEFEHL [ARGUMENTE]

Befehle:
</translation>
    </message>
    <message>
        <source>Usage: quorvane-cli [--json] %1</source>
        <translation>Aufruf: quorvane-cli [--json] %1</translation>
    </message>
    <message>
        <source>
Switches:
</source>
        <translation>
Schalter:
</translation>
    </message>
    <message>
        <source>
Example:
</source>
        <translation>
Beispiel:
</translation>
    </message>
    <message>
        <source>A source is &quot;github&quot;, &quot;git&quot; or &quot;directory&quot;, not &quot;%1&quot;.</source>
        <translation>Eine Quelle ist „github“, „git“ oder „directory“, nicht „%1“.</translation>
    </message>
    <message>
        <source>--ref and --path are for git sources.</source>
        <translation>--ref und --path gelten für Git-Quellen.</translation>
    </message>
    <message>
        <source>read the GitHub and git sources&apos; skill lists again (only changed files are fetched)</source>
        <translation>die Skill-Listen der GitHub- und Git-Quellen neu lesen (nur geänderte Dateien werden geholt)</translation>
    </message>
    <message>
        <source>install a skill&apos;s whole folder from GitHub or a git remote into the hub; prints the new folder</source>
        <translation>den ganzen Ordner eines Skills von GitHub oder aus einem Git-Repository im Hub installieren; nennt den neuen Ordner</translation>
    </message>
    <message>
        <source>Say the skill&apos;s folder with --skill-id, not with #PATH.</source>
        <translation>Nenne den Ordner des Skills mit --skill-id, nicht mit #PFAD.</translation>
    </message>
    <message>
        <source>audit: this folder rather than hub items; sources add git: the skills&apos; folder in the repository</source>
        <translation>audit: diesen Ordner prüfen statt der Elemente im Hub; sources add git: der Ordner der Skills im Repository</translation>
    </message>
    <message>
        <source>the branch, tag or commit of a git source</source>
        <translation>der Branch, Tag oder Commit einer Git-Quelle</translation>
    </message>
    <message>
        <source>
Options for commands that reach the network: --raw-url URL --api-url URL (GitHub&apos;s hosts);
search also takes --directory-url URL, a directory searched for this one call.
A token in GH_TOKEN or GITHUB_TOKEN (GH_ENTERPRISE_TOKEN for another GitHub host, or the login of gh) is sent to that host&apos;s API only.
APP is an app&apos;s id or its name as shown (a project&apos;s app: &quot;Cursor (shop)&quot;). Exit status: 0 done, 1 failed, 2 usage error.
--version tells the version.
`quorvane-cli COMMAND --help` shows a command with an example.
</source>
        <translation>
Optionen für Befehle, die ins Netz gehen: --raw-url URL --api-url URL (die Hosts von GitHub);
search nimmt auch --directory-url URL, ein Verzeichnis, in dem nur bei diesem Aufruf gesucht wird.
Ein Token in GH_TOKEN oder GITHUB_TOKEN (GH_ENTERPRISE_TOKEN für einen anderen GitHub-Host, oder die Anmeldung von gh) geht nur an die API dieses Hosts.
APP ist die Id einer App oder ihr Name, wie er gezeigt wird (die App eines Projekts: „Cursor (shop)“). Rückgabewert: 0 erledigt, 1 fehlgeschlagen, 2 falscher Aufruf.
--version nennt die Version.
`quorvane-cli BEFEHL --help` zeigt einen Befehl mit einem Beispiel.
</translation>
    </message>
    <message>
        <source>--host is for github sources.</source>
        <translation>--host gilt für GitHub-Quellen.</translation>
    </message>
    <message>
        <source>Say which repository: [HOST/]OWNER/REPO[@REF], or a git URL.</source>
        <translation>Nenne das Repository: [HOST/]OWNER/REPO[@REF], oder eine Git-URL.</translation>
    </message>
    <message>
        <source>the GitHub host of a github source, such as https://github.example.com</source>
        <translation>der GitHub-Host einer GitHub-Quelle, etwa https://github.example.com</translation>
    </message>
    <message>
        <source>register a target app, or a known assistant (see apps presets) in its folder, in FOLDER, or in the project DIR; a project places copies unless --link</source>
        <translation>eine Ziel-App registrieren, oder einen bekannten Assistenten (siehe apps presets) in seinem Ordner, in FOLDER oder im Projekt DIR; ein Projekt platziert Kopien, außer mit --link</translation>
    </message>
    <message>
        <source>Say NAME FOLDER, --preset ID, or both.</source>
        <translation>Gib NAME ORDNER an, --preset ID oder beides.</translation>
    </message>
    <message>
        <source>A project app is added with --preset ID alone.</source>
        <translation>Eine Projekt-App wird nur mit --preset ID hinzugefügt.</translation>
    </message>
    <message>
        <source>move every skill in the known assistants&apos; folders that Quorvane does not manage into the hub, with its origin where another installer recorded it, and leave a link or copy: entry, folder, origin</source>
        <translation>jeden Skill in den Ordnern der bekannten Assistenten, den Quorvane nicht verwaltet, in den Hub verschieben, mit seiner Herkunft, wo ein anderer Installer sie festgehalten hat, und einen Link oder eine Kopie zurücklassen: Eintrag, Ordner, Herkunft</translation>
    </message>
    <message>
        <source>origin unknown</source>
        <translation>Herkunft unbekannt</translation>
    </message>
    <message>
        <source>	left as it is: the hub already has an item of this name</source>
        <translation>	bleibt, wie er ist: der Hub hat schon ein Objekt dieses Namens</translation>
    </message>
    <message>
        <source>Not every skill could be adopted.</source>
        <translation>Nicht jeder Skill konnte übernommen werden.</translation>
    </message>
    <message>
        <source>Hub: %1 (1 item)</source>
        <translation>Hub: %1 (1 Element)</translation>
    </message>
    <message>
        <source>Hub: %1 (%2 items)</source>
        <translation>Hub: %1 (%2 Elemente)</translation>
    </message>
    <message>
        <source>%1: current</source>
        <translation>%1: aktuell</translation>
    </message>
    <message>
        <source>%1: updated</source>
        <translation>%1: aktualisiert</translation>
    </message>
    <message>
        <source>%1	%2 entries	%3 bytes</source>
        <translation>%1	%2 Einträge	%3 Bytes</translation>
    </message>
    <message>
        <source>%1	%2 skills%3</source>
        <translation>%1	%2 Skills%3</translation>
    </message>
</context>
<context>
    <name>ContentView</name>
    <message>
        <source>Backup</source>
        <translation>Backup</translation>
    </message>
    <message>
        <source>Choose a Section</source>
        <translation>Bereich wählen</translation>
    </message>
    <message>
        <source>Choose a section in the sidebar.</source>
        <translation>Wähle einen Bereich in der Seitenleiste.</translation>
    </message>
    <message>
        <source>App Not Found</source>
        <translation>App nicht gefunden</translation>
    </message>
    <message>
        <source>The selected app is no longer available.</source>
        <translation>Die ausgewählte App ist nicht mehr verfügbar.</translation>
    </message>
    <message>
        <source>Skill Store</source>
        <translation>Skill Store</translation>
    </message>
    <message>
        <source>Choose a skill from the store to see its details.</source>
        <translation>Wähle einen Skill aus dem Store, um Details zu sehen.</translation>
    </message>
    <message>
        <source>App Skill</source>
        <translation>App Skill</translation>
    </message>
    <message>
        <source>Choose a file in the app&apos;s folder.</source>
        <translation>Wähle eine Datei im Ordner der App.</translation>
    </message>
    <message>
        <source>State of the Apps</source>
        <translation>Zustand der Apps</translation>
    </message>
    <message>
        <source>Each row names a problem; choose one to see what can be done about it. “Fix…” shows what can be fixed safely.</source>
        <translation>Jede Zeile nennt ein Problem; wähle eine, um zu sehen, was sich dagegen tun lässt. „Beheben…“ zeigt, was sich sicher beheben lässt.</translation>
    </message>
    <message>
        <source>Skill Preview</source>
        <translation>Skill Vorschau</translation>
    </message>
    <message>
        <source>Choose a skill for more details.</source>
        <translation>Wähle einen Skill für weitere Details.</translation>
    </message>
</context>
<context>
    <name>DeleteAction</name>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
</context>
<context>
    <name>FolderPrompts</name>
    <message>
        <source>Choose Central Hub</source>
        <translation>Zentralen Hub auswählen</translation>
    </message>
    <message>
        <source>Authorize</source>
        <translation>Autorisieren</translation>
    </message>
    <message>
        <source>Renew Folder Access</source>
        <translation>Ordnerzugriff erneuern</translation>
    </message>
    <message>
        <source>Please choose the folder for &apos;%1&apos; again.</source>
        <translation>Bitte den Ordner für &apos;%1&apos; erneut auswählen.</translation>
    </message>
    <message>
        <source>Access Required</source>
        <translation>Zugriff erforderlich</translation>
    </message>
    <message>
        <source>Access renewed.</source>
        <translation>Zugriff erfolgreich erneuert.</translation>
    </message>
    <message>
        <source>Authorization incomplete. Please choose the hub and the target folders again in the dialog.</source>
        <translation>Autorisierung unvollständig. Bitte Hub und Zielordner im Dialog erneut auswählen.</translation>
    </message>
</context>
<context>
    <name>HealthView</name>
    <message>
        <source>%1 errors</source>
        <translation>%1 Fehler</translation>
    </message>
    <message>
        <source>%1 warning</source>
        <translation>%1 Warnung</translation>
    </message>
    <message>
        <source>%1 warnings</source>
        <translation>%1 Warnungen</translation>
    </message>
    <message>
        <source>%1 note</source>
        <translation>%1 Hinweis</translation>
    </message>
    <message>
        <source>%1 notes</source>
        <translation>%1 Hinweise</translation>
    </message>
    <message>
        <source>All is well</source>
        <translation>Alles in Ordnung</translation>
    </message>
    <message>
        <source>Fix…</source>
        <translation>Beheben…</translation>
    </message>
    <message>
        <source>Update copies, repair links, and switch apps that do not follow links to copies</source>
        <translation>Kopien abgleichen, Links reparieren und Apps, die Links nicht folgen, auf Kopien umstellen</translation>
    </message>
    <message>
        <source>State of the Apps</source>
        <translation>Zustand der Apps</translation>
    </message>
    <message>
        <source>Folder</source>
        <translation>Ordner</translation>
    </message>
    <message>
        <source>Some skills do not reach their assistant.</source>
        <translation>Manche Skills erreichen ihren Assistenten nicht.</translation>
    </message>
    <message>
        <source>Every assistant sees its skills.</source>
        <translation>Jeder Assistent sieht seine Skills.</translation>
    </message>
    <message>
        <source>Fix Problems</source>
        <translation>Probleme beheben</translation>
    </message>
</context>
<context>
    <name>HubSkillListModel</name>
    <message>
        <source>Risk</source>
        <translation>Risiko</translation>
    </message>
    <message>
        <source>Update available</source>
        <translation>Update verfügbar</translation>
    </message>
    <message>
        <source>The audit found a high risk that you have not accepted.</source>
        <translation>Die Prüfung fand ein hohes Risiko, das du nicht akzeptiert hast.</translation>
    </message>
</context>
<context>
    <name>InstallReport</name>
    <message numerus="yes">
        <source>… and %n more</source>
        <translation>
            <numerusform>… und %n weitere</numerusform>
            <numerusform>… und %n weitere</numerusform>
        </translation>
    </message>
    <message>
        <source>The audit found a high risk in &apos;%1&apos;; nothing was installed.</source>
        <translation>Die Prüfung fand in &apos;%1&apos; ein hohes Risiko; nichts wurde installiert.</translation>
    </message>
    <message>
        <source>The audit found a high risk in &apos;%1&apos;.</source>
        <translation>Die Prüfung fand in &apos;%1&apos; ein hohes Risiko.</translation>
    </message>
    <message>
        <source>Found:</source>
        <translation>Gefunden:</translation>
    </message>
    <message>
        <source>An assistant follows these instructions with your permissions. Install only what you have checked.</source>
        <translation>Ein Assistent folgt diesen Anweisungen mit deinen Rechten. Installiere nur, was du geprüft hast.</translation>
    </message>
    <message>
        <source>An assistant follows these instructions with your permissions. Link only what you have checked.</source>
        <translation>Ein Assistent folgt diesen Anweisungen mit deinen Rechten. Verknüpfe nur, was du geprüft hast.</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Install Anyway</source>
        <translation>Trotzdem installieren</translation>
    </message>
    <message>
        <source>Link Anyway</source>
        <translation>Trotzdem verknüpfen</translation>
    </message>
    <message>
        <source>The folder holds:</source>
        <translation>Der Ordner enthält:</translation>
    </message>
    <message>
        <source>Files changed here:</source>
        <translation>Hier geänderte Dateien:</translation>
    </message>
    <message>
        <source>This version is lost when the folder is replaced.</source>
        <translation>Diese Fassung geht verloren, wenn der Ordner ersetzt wird.</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>Ersetzen</translation>
    </message>
</context>
<context>
    <name>OutcomeTexts</name>
    <message>
        <source>a link to %1 that Quorvane did not make</source>
        <translation>ein Link nach %1, den Quorvane nicht angelegt hat</translation>
    </message>
    <message>
        <source>a folder that Quorvane did not make</source>
        <translation>ein Ordner, den Quorvane nicht angelegt hat</translation>
    </message>
    <message>
        <source>a file that Quorvane did not make</source>
        <translation>eine Datei, die Quorvane nicht angelegt hat</translation>
    </message>
    <message>
        <source>a copy that was changed here</source>
        <translation>eine Kopie, die hier geändert wurde</translation>
    </message>
    <message>
        <source>not a permitted name</source>
        <translation>kein zulässiger Name</translation>
    </message>
    <message>
        <source>the folder cannot be read</source>
        <translation>der Ordner kann nicht gelesen werden</translation>
    </message>
    <message>
        <source>the folder cannot be reached</source>
        <translation>der Ordner ist nicht erreichbar</translation>
    </message>
    <message>
        <source>a link that leads out of the project</source>
        <translation>ein Link, der aus dem Projekt hinausführt</translation>
    </message>
    <message>
        <source>the lock file is a link or not an ordinary file</source>
        <translation>die Sperrdatei ist ein Link oder keine gewöhnliche Datei</translation>
    </message>
    <message>
        <source>the hub holds another version than the lock file</source>
        <translation>der Hub hält eine andere Fassung als die Sperrdatei</translation>
    </message>
    <message>
        <source>“%1” has no skills folder in the project</source>
        <translation>„%1“ hat keinen Skills-Ordner im Projekt</translation>
    </message>
    <message>
        <source>not in the cache; cannot be fetched without the network</source>
        <translation>nicht im Zwischenspeicher; ohne Netz nicht zu holen</translation>
    </message>
    <message>
        <source>content differs from the lock file</source>
        <translation>Inhalt weicht von der Sperrdatei ab</translation>
    </message>
    <message>
        <source>not in the hub, and without a known source</source>
        <translation>nicht im Hub, und ohne bekannte Quelle</translation>
    </message>
    <message>
        <source>No SKILL.md in the folder.</source>
        <translation>Keine SKILL.md im Ordner.</translation>
    </message>
    <message>
        <source>No frontmatter: the SKILL.md does not begin with a &apos;---&apos; block.</source>
        <translation>Kein Frontmatter: Die SKILL.md beginnt nicht mit einem &apos;---&apos;-Block.</translation>
    </message>
    <message>
        <source>The frontmatter is longer than 64 KiB.</source>
        <translation>Das Frontmatter ist länger als 64 KiB.</translation>
    </message>
    <message>
        <source>The frontmatter is nested too deeply.</source>
        <translation>Das Frontmatter ist zu tief verschachtelt.</translation>
    </message>
    <message>
        <source>The frontmatter is not valid YAML (line %1).</source>
        <translation>Das Frontmatter ist kein gültiges YAML (Zeile %1).</translation>
    </message>
    <message>
        <source>The frontmatter is not a mapping of keys to values.</source>
        <translation>Das Frontmatter ist keine Zuordnung von Schlüsseln zu Werten.</translation>
    </message>
    <message>
        <source>&apos;%1&apos; must be text.</source>
        <translation>&apos;%1&apos; muss Text sein.</translation>
    </message>
    <message>
        <source>&apos;name&apos; is missing.</source>
        <translation>&apos;name&apos; fehlt.</translation>
    </message>
    <message>
        <source>&apos;name&apos; is longer than 64 characters.</source>
        <translation>&apos;name&apos; ist länger als 64 Zeichen.</translation>
    </message>
    <message>
        <source>&apos;name&apos; may contain only a–z, 0–9 and &apos;-&apos;.</source>
        <translation>&apos;name&apos; darf nur a–z, 0–9 und &apos;-&apos; enthalten.</translation>
    </message>
    <message>
        <source>&apos;name&apos; must not begin or end with &apos;-&apos; or contain &apos;--&apos;.</source>
        <translation>&apos;name&apos; darf nicht mit &apos;-&apos; beginnen oder enden und kein &apos;--&apos; enthalten.</translation>
    </message>
    <message>
        <source>&apos;name&apos; (&apos;%1&apos;) differs from the folder&apos;s name &apos;%2&apos;.</source>
        <translation>&apos;name&apos; (&apos;%1&apos;) weicht vom Ordnernamen &apos;%2&apos; ab.</translation>
    </message>
    <message>
        <source>&apos;description&apos; is missing.</source>
        <translation>&apos;description&apos; fehlt.</translation>
    </message>
    <message>
        <source>&apos;description&apos; is longer than 1024 characters.</source>
        <translation>&apos;description&apos; ist länger als 1024 Zeichen.</translation>
    </message>
    <message>
        <source>&apos;compatibility&apos; is longer than 500 characters.</source>
        <translation>&apos;compatibility&apos; ist länger als 500 Zeichen.</translation>
    </message>
    <message>
        <source>The central hub cannot be reached.</source>
        <translation>Der Zentrale Hub ist nicht erreichbar.</translation>
    </message>
    <message>
        <source>The folder %1 cannot be reached.</source>
        <translation>Der Ordner %1 ist nicht erreichbar.</translation>
    </message>
    <message>
        <source>The folder %1 cannot be written to.</source>
        <translation>In den Ordner %1 lässt sich nicht schreiben.</translation>
    </message>
    <message>
        <source>The link leads nowhere; the hub has an item of this name.</source>
        <translation>Der Link führt ins Leere; der Hub hat ein Element dieses Namens.</translation>
    </message>
    <message>
        <source>The link leads nowhere.</source>
        <translation>Der Link führt ins Leere.</translation>
    </message>
    <message>
        <source>The copy is older than the item in the hub.</source>
        <translation>Die Kopie ist älter als das Element im Hub.</translation>
    </message>
    <message>
        <source>The copy was changed here.</source>
        <translation>Die Kopie wurde hier geändert.</translation>
    </message>
    <message>
        <source>Not placed by Quorvane.</source>
        <translation>Nicht von Quorvane abgelegt.</translation>
    </message>
    <message>
        <source>The audit found a high risk that you have not accepted.</source>
        <translation>Die Prüfung fand ein hohes Risiko, das du nicht akzeptiert hast.</translation>
    </message>
    <message>
        <source>%1 does not follow links: the skill stays invisible.</source>
        <translation>%1 folgt keinen Links: der Skill bleibt unsichtbar.</translation>
    </message>
    <message>
        <source>%1 does not load a SKILL.md that is itself a link.</source>
        <translation>%1 lädt keine SKILL.md, die selbst ein Link ist.</translation>
    </message>
    <message>
        <source>No SKILL.md: the assistant does not load the folder.</source>
        <translation>Keine SKILL.md: der Assistent lädt den Ordner nicht.</translation>
    </message>
    <message>
        <source>Without a name or a description the assistant does not load the skill.</source>
        <translation>Ohne Name oder Beschreibung lädt der Assistent den Skill nicht.</translation>
    </message>
    <message>
        <source>The name “%1” differs from the folder.</source>
        <translation>Der Name „%1“ weicht vom Ordner ab.</translation>
    </message>
    <message>
        <source>The name “%1” occurs more than once in this folder: %2.</source>
        <translation>Der Name „%1“ kommt in diesem Ordner mehrmals vor: %2.</translation>
    </message>
    <message>
        <source>%1 also loads “%2” from %3.</source>
        <translation>%1 lädt „%2“ auch aus %3.</translation>
    </message>
    <message>
        <source>Importing &apos;%1&apos;...</source>
        <translation>Importiere &apos;%1&apos;...</translation>
    </message>
    <message>
        <source>Importing backup...</source>
        <translation>Importiere Backup...</translation>
    </message>
    <message numerus="yes">
        <source>Changing entries (%n)...</source>
        <translation>
            <numerusform>Ändere %n Einträge...</numerusform>
            <numerusform>Ändere %n Einträge...</numerusform>
        </translation>
    </message>
    <message>
        <source>Network error: %1</source>
        <translation>Netzwerkfehler: %1</translation>
    </message>
    <message>
        <source>Decoding error: %1</source>
        <translation>Dekodierungsfehler: %1</translation>
    </message>
    <message>
        <source>Invalid URL</source>
        <translation>Ungültige URL</translation>
    </message>
    <message>
        <source>Invalid server response</source>
        <translation>Ungültige Serverantwort</translation>
    </message>
    <message>
        <source>The SKILL.md file was not found in the GitHub repository.</source>
        <translation>Die SKILL.md Datei wurde im GitHub Repository nicht gefunden.</translation>
    </message>
    <message>
        <source>GitHub limit reached, possible again at %1</source>
        <translation>GitHub-Limit erreicht, wieder möglich um %1</translation>
    </message>
    <message>
        <source>%1 not found</source>
        <translation>%1 nicht gefunden</translation>
    </message>
    <message>
        <source>The search address could not be built.</source>
        <translation>Fehler beim Erstellen der Such-URL.</translation>
    </message>
    <message>
        <source>Wrong data type.</source>
        <translation>Falscher Datentyp.</translation>
    </message>
    <message>
        <source>Missing data value.</source>
        <translation>Fehlender Datenwert.</translation>
    </message>
    <message>
        <source>Unexpected data format.</source>
        <translation>Unerwartetes Datenformat.</translation>
    </message>
    <message>
        <source>The data could not be read.</source>
        <translation>Fehler beim Lesen der Daten.</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not an http(s) address.</source>
        <translation>&apos;%1&apos; ist keine http(s)-Adresse.</translation>
    </message>
    <message>
        <source>The source &apos;%1&apos; is already there.</source>
        <translation>Die Quelle &apos;%1&apos; gibt es schon.</translation>
    </message>
    <message>
        <source>There is no source with the id or location “%1”.</source>
        <translation>Es gibt keine Quelle mit der Kennung oder dem Ort „%1“.</translation>
    </message>
    <message>
        <source>The folder “%1” is not in the repository.</source>
        <translation>Der Ordner „%1“ steht nicht im Repository.</translation>
    </message>
    <message>
        <source>The skill contains a path that is not permitted: “%1”. Nothing was installed.</source>
        <translation>Der Skill enthält einen unzulässigen Pfad: „%1“. Nichts wurde installiert.</translation>
    </message>
    <message>
        <source>The skill has %1 files; at most %2 are installed. Nothing was installed.</source>
        <translation>Der Skill hat %1 Dateien; installiert werden höchstens %2. Nichts wurde installiert.</translation>
    </message>
    <message>
        <source>The skill is %1 MiB; at most %2 MiB are installed. Nothing was installed.</source>
        <translation>Der Skill ist %1 MiB groß; installiert werden höchstens %2 MiB. Nichts wurde installiert.</translation>
    </message>
    <message>
        <source>The skill is larger than %1 MiB. Nothing was installed.</source>
        <translation>Der Skill ist größer als %1 MiB. Nichts wurde installiert.</translation>
    </message>
    <message>
        <source>There is no SKILL.md in the folder “%1”.</source>
        <translation>Im Ordner „%1“ liegt keine SKILL.md.</translation>
    </message>
    <message>
        <source>GitHub cut the repository&apos;s file list short.</source>
        <translation>GitHub hat die Dateiliste des Repositorys gekürzt.</translation>
    </message>
    <message>
        <source>“%1” could not be loaded: %2</source>
        <translation>„%1“ konnte nicht geladen werden: %2</translation>
    </message>
    <message>
        <source>“%1” changed while it was being loaded. Please try again.</source>
        <translation>„%1“ hat sich während des Ladens geändert. Bitte versuche es erneut.</translation>
    </message>
    <message>
        <source>“%1” cannot be a folder name in the hub.</source>
        <translation>„%1“ taugt nicht als Ordnername im Hub.</translation>
    </message>
    <message>
        <source>The hub already holds a folder “%1” whose origin is unknown.</source>
        <translation>Im Hub liegt bereits ein Ordner „%1“, dessen Herkunft unbekannt ist.</translation>
    </message>
    <message>
        <source>The skill “%1” was changed here.</source>
        <translation>Der Skill „%1“ wurde hier geändert.</translation>
    </message>
    <message>
        <source>Please choose the central folder in the hub first!</source>
        <translation>Bitte wähle zuerst den Zentralen Ordner im Hub aus!</translation>
    </message>
    <message>
        <source>Installation failed:
%1</source>
        <translation>Installation fehlgeschlagen:
%1</translation>
    </message>
    <message>
        <source>Download failed:
%1</source>
        <translation>Download fehlgeschlagen:
%1</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a permitted path in the repository.</source>
        <translation>&apos;%1&apos; ist kein zulässiger Pfad im Repository.</translation>
    </message>
    <message>
        <source>The audit found a high risk in &apos;%1&apos;; nothing was installed.</source>
        <translation>Die Prüfung fand in &apos;%1&apos; ein hohes Risiko; nichts wurde installiert.</translation>
    </message>
    <message>
        <source>The audit found a high risk (%1)</source>
        <translation>Die Prüfung fand ein hohes Risiko (%1)</translation>
    </message>
    <message>
        <source>Nothing records where &apos;%1&apos; came from.</source>
        <translation>Nichts hält fest, woher &apos;%1&apos; stammt.</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is no longer in the hub.</source>
        <translation>&apos;%1&apos; ist nicht mehr im Hub.</translation>
    </message>
    <message>
        <source>%1: The folder “%2” is no longer in %3.</source>
        <translation>%1: Der Ordner „%2“ steht nicht mehr in %3.</translation>
    </message>
    <message>
        <source>not in the cache, and without a known source</source>
        <translation>nicht im Zwischenspeicher, und ohne bekannte Quelle</translation>
    </message>
    <message>
        <source>There is no %1 in %2.</source>
        <translation>In %2 liegt keine %1.</translation>
    </message>
    <message>
        <source>%1: the app could not be added</source>
        <translation>%1: die App konnte nicht hinzugefügt werden</translation>
    </message>
    <message>
        <source>%1: not recorded</source>
        <translation>%1: nicht vermerkt</translation>
    </message>
    <message>
        <source>Not carried out: %1 %2: %3</source>
        <translation>Nicht ausgeführt: %1 %2: %3</translation>
    </message>
    <message>
        <source>Skill &apos;%1&apos; was updated.</source>
        <translation>Skill &apos;%1&apos; wurde aktualisiert.</translation>
    </message>
    <message>
        <source>Skill &apos;%1&apos; was installed in the hub!</source>
        <translation>Skill &apos;%1&apos; wurde erfolgreich im Hub installiert!</translation>
    </message>
    <message>
        <source>The commit could not be determined: lock files do not hold this state.</source>
        <translation>Der Commit ließ sich nicht ermitteln: Sperrdateien halten diesen Stand nicht fest.</translation>
    </message>
    <message>
        <source>Only the SKILL.md was installed; the skill&apos;s other files are missing because its folder could not be read: %1</source>
        <translation>Nur die SKILL.md wurde installiert; die übrigen Dateien des Skills fehlen, weil sein Ordner nicht gelesen werden konnte: %1</translation>
    </message>
    <message>
        <source>Not installed (links and submodules): %1</source>
        <translation>Nicht installiert (Links und Submodule): %1</translation>
    </message>
    <message>
        <source>The file %1 is damaged or not a data store (%2).</source>
        <translation>Die Datei %1 ist beschädigt oder kein Datenspeicher (%2).</translation>
    </message>
    <message>
        <source>The file %1 comes from a newer version of Quorvane (schema %2; this version knows up to %3). It stays unchanged.</source>
        <translation>Die Datei %1 stammt von einer neueren Version von Quorvane (Schema %2; diese Version kennt bis %3). Sie bleibt unverändert.</translation>
    </message>
    <message>
        <source>Executable, but not under scripts/</source>
        <translation>Ausführbar, aber nicht unter scripts/</translation>
    </message>
    <message>
        <source>A NUL byte in a text file hides what follows from viewers</source>
        <translation>Ein NUL-Byte in einer Textdatei verbirgt vor Betrachtern, was folgt</translation>
    </message>
    <message>
        <source>Invisible character</source>
        <translation>Unsichtbares Zeichen</translation>
    </message>
    <message>
        <source>Text hidden in invisible tag characters</source>
        <translation>Text, in unsichtbaren Tag-Zeichen verborgen</translation>
    </message>
    <message>
        <source>SKILL.md has more than 500 lines</source>
        <translation>SKILL.md hat mehr als 500 Zeilen</translation>
    </message>
    <message>
        <source>Contains long encoded data</source>
        <translation>Enthält lange verschlüsselte Daten</translation>
    </message>
    <message>
        <source>Installs a package named like a popular one, one letter apart</source>
        <translation>Installiert ein Paket, das einem bekannten bis auf einen Buchstaben gleicht</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a git remote: give an https, ssh or file address, an absolute path or user@host:path, with @REF and #PATH if need be.</source>
        <translation>&apos;%1&apos; ist kein Git-Repository: Gib eine https-, ssh- oder file-Adresse an, einen absoluten Pfad oder user@host:pfad, wenn nötig mit @REF und #PFAD.</translation>
    </message>
    <message>
        <source>%1 carries a password. Keep it in git&apos;s credential helper instead and give the address without it.</source>
        <translation>%1 enthält ein Passwort. Hinterlege es stattdessen im Credential-Helper von Git und gib die Adresse ohne Passwort an.</translation>
    </message>
    <message>
        <source>git is not installed; git sources need it.</source>
        <translation>Git ist nicht installiert; Git-Quellen brauchen es.</translation>
    </message>
    <message>
        <source>%1 refused access. Check your git credentials or SSH key for it.</source>
        <translation>%1 verweigert den Zugriff. Prüfe deine Git-Zugangsdaten oder deinen SSH-Schlüssel dafür.</translation>
    </message>
    <message>
        <source>%1 cannot be reached: %2</source>
        <translation>%1 ist nicht erreichbar: %2</translation>
    </message>
    <message>
        <source>git failed for %1: %2</source>
        <translation>Git ist bei %1 gescheitert: %2</translation>
    </message>
    <message>
        <source>The project&apos;s policy %1 cannot be used: %2</source>
        <translation>Die Richtlinie des Projekts %1 ist nicht verwendbar: %2</translation>
    </message>
    <message>
        <source>the project&apos;s policy does not allow %1; it allows %2.</source>
        <translation>die Richtlinie des Projekts lässt %1 nicht zu; sie lässt %2 zu.</translation>
    </message>
    <message>
        <source>its commit of %1 is younger than the %2 days the project&apos;s policy asks for.</source>
        <translation>sein Commit vom %1 ist jünger als die %2 Tage, die die Richtlinie des Projekts verlangt.</translation>
    </message>
    <message>
        <source>the project&apos;s policy lets in no finding of level high, accepted or not</source>
        <translation>die Richtlinie des Projekts lässt keinen Befund der Stufe hoch zu, ob akzeptiert oder nicht</translation>
    </message>
    <message>
        <source>the project&apos;s policy does not allow its source %1</source>
        <translation>die Richtlinie des Projekts lässt seine Quelle %1 nicht zu</translation>
    </message>
    <message>
        <source>the project&apos;s policy cannot be read</source>
        <translation>die Richtlinie des Projekts ist nicht lesbar</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a GitHub source of the form [HOST/]OWNER/REPO[@REF][:PATH].</source>
        <translation>&apos;%1&apos; ist keine GitHub-Quelle der Form [HOST/]OWNER/REPO[@REF][:PATH].</translation>
    </message>
    <message>
        <source>%1 is reached over https only; plain http is for a host on this machine, since a token would travel unencrypted.</source>
        <translation>%1 wird nur über https erreicht; unverschlüsseltes http gilt nur für einen Host auf diesem Rechner, weil ein Token sonst offen übertragen würde.</translation>
    </message>
    <message>
        <source>the date of its commit is not known, and the project&apos;s policy asks for one</source>
        <translation>das Datum seines Commits ist unbekannt, und die Richtlinie des Projekts verlangt es</translation>
    </message>
    <message>
        <source>its commit of %1 is younger than the project&apos;s policy allows</source>
        <translation>sein Commit vom %1 ist jünger, als die Richtlinie des Projekts erlaubt</translation>
    </message>
    <message>
        <source>the date of its commit is not known, and the project&apos;s policy asks for %1 days; install it again to learn it.</source>
        <translation>das Datum seines Commits ist unbekannt, und die Richtlinie des Projekts verlangt %1 Tage; installiere es erneut, um es zu erfahren.</translation>
    </message>
    <message>
        <source>%1 lists %3 characters of names and descriptions, %4 more than its budget of %2; left out: %5.</source>
        <translation>%1 listet %3 Zeichen an Namen und Beschreibungen, %4 mehr als sein Budget von %2; nicht gelistet: %5.</translation>
    </message>
    <message>
        <source>%1 refuses the frontmatter key(s) %2; it accepts %3.</source>
        <translation>%1 lehnt die Frontmatter-Schlüssel %2 ab; es akzeptiert %3.</translation>
    </message>
    <message>
        <source>“%2” here overrides the skill of the same name in %3: %1 lets a project&apos;s skills win over the user&apos;s.</source>
        <translation>„%2“ hier verdeckt den gleichnamigen Skill in %3: bei %1 gehen die Skills eines Projekts denen des Benutzers vor.</translation>
    </message>
    <message>
        <source>In %3, %1 uses the project&apos;s “%2” instead of this one: a project&apos;s skills win over the user&apos;s.</source>
        <translation>In %3 nutzt %1 das „%2“ des Projekts statt dieses: die Skills eines Projekts gehen denen des Benutzers vor.</translation>
    </message>
    <message>
        <source>%1 also finds “%2” in %3; this one wins.</source>
        <translation>%1 findet „%2“ auch in %3; dieser hier hat Vorrang.</translation>
    </message>
    <message>
        <source>%1 also finds “%2” in %3, and that one wins over this one.</source>
        <translation>%1 findet „%2“ auch in %3, und jener hat Vorrang vor diesem.</translation>
    </message>
    <message>
        <source>%1 also finds “%2” in %3; which one it uses is not known.</source>
        <translation>%1 findet „%2“ auch in %3; welchen es nutzt, ist nicht bekannt.</translation>
    </message>
    <message>
        <source>%1 does not read this folder: it reads %2.</source>
        <translation>%1 liest diesen Ordner nicht: es liest %2.</translation>
    </message>
    <message>
        <source>The link leads out of the repository, to %2: %1 then drops every skill of the repository.</source>
        <translation>Der Link führt aus dem Repository hinaus, nach %2: %1 verwirft dann jeden Skill des Repositorys.</translation>
    </message>
    <message>
        <source>Adopting skills...</source>
        <translation>Skills werden übernommen...</translation>
    </message>
    <message>
        <source>The other installers&apos; lock file %1 is not used; nothing was changed</source>
        <translation>Die Sperrdatei der anderen Installer %1 wird nicht verwendet; nichts wurde verändert</translation>
    </message>
    <message>
        <source>it is not of version %1</source>
        <translation>sie ist nicht von Version %1</translation>
    </message>
    <message>
        <source>the address %1 carries a password or token</source>
        <translation>die Adresse %1 enthält ein Passwort oder Token</translation>
    </message>
    <message>
        <source>a text</source>
        <translation>einen Text</translation>
    </message>
    <message>
        <source>a truth value</source>
        <translation>einen Wahrheitswert</translation>
    </message>
    <message>
        <source>a whole number</source>
        <translation>eine ganze Zahl</translation>
    </message>
    <message>
        <source>a number with a fraction</source>
        <translation>eine Zahl mit Nachkommastellen</translation>
    </message>
    <message>
        <source>a list</source>
        <translation>eine Liste</translation>
    </message>
    <message>
        <source>an object</source>
        <translation>ein Objekt</translation>
    </message>
    <message>
        <source>something else</source>
        <translation>etwas anderes</translation>
    </message>
    <message>
        <source>at the top level</source>
        <translation>auf oberster Ebene</translation>
    </message>
    <message>
        <source>at %1</source>
        <translation>bei %1</translation>
    </message>
    <message>
        <source>The data is not valid JSON.</source>
        <translation>Die Daten sind kein gültiges JSON.</translation>
    </message>
    <message>
        <source>Expected %1, found %2, %3.</source>
        <translation>Erwartet war %1, gefunden %2, %3.</translation>
    </message>
    <message>
        <source>Expected a value of type %1, found null, %2.</source>
        <translation>Erwartet war ein Wert vom Typ %1, gefunden null, %2.</translation>
    </message>
    <message>
        <source>No value for the key &quot;%1&quot; %2.</source>
        <translation>Kein Wert zum Schlüssel &quot;%1&quot; %2.</translation>
    </message>
    <message>
        <source>The number %1 does not fit into Int64, %2.</source>
        <translation>Die Zahl %1 passt nicht in Int64, %2.</translation>
    </message>
    <message>
        <source>“%1” is not a UUID</source>
        <translation>„%1“ ist keine UUID</translation>
    </message>
    <message>
        <source>The value is not valid Base64</source>
        <translation>Der Wert ist kein gültiges Base64</translation>
    </message>
    <message>
        <source>“%1” is not a date in the form 2026-03-01T14:05:09Z</source>
        <translation>„%1“ ist kein Datum der Form 2026-03-01T14:05:09Z</translation>
    </message>
    <message>
        <source>not [HOST/]OWNER/REPO or a git remote</source>
        <translation>weder [HOST/]OWNER/REPO noch ein git-Remote</translation>
    </message>
    <message>
        <source>not a ref git accepts</source>
        <translation>kein Ref, den git annimmt</translation>
    </message>
    <message>
        <source>a path that leaves the repository</source>
        <translation>ein Pfad, der das Repository verlässt</translation>
    </message>
    <message>
        <source>not a commit SHA</source>
        <translation>keine Commit-SHA</translation>
    </message>
    <message>
        <source>no ref</source>
        <translation>kein Ref</translation>
    </message>
    <message>
        <source>not a SHA-256 in hex</source>
        <translation>keine SHA-256 in Hex</translation>
    </message>
    <message>
        <source>“%1” leaves the project</source>
        <translation>„%1“ verlässt das Projekt</translation>
    </message>
    <message>
        <source>a skill is named twice</source>
        <translation>ein Skill ist zweimal genannt</translation>
    </message>
    <message>
        <source>The lock file is larger than %1 MiB; it is not read.</source>
        <translation>Die Sperrdatei ist größer als %1 MiB; sie wird nicht gelesen.</translation>
    </message>
    <message>
        <source>%1 is not a plain file.</source>
        <translation>%1 ist keine gewöhnliche Datei.</translation>
    </message>
    <message>
        <source>The name is empty.</source>
        <translation>Der Name ist leer.</translation>
    </message>
    <message>
        <source>The name “%1” stands for a folder itself, not an item in it.</source>
        <translation>Der Name „%1“ steht für einen Ordner selbst, nicht für ein Element darin.</translation>
    </message>
    <message>
        <source>The name contains “/”, which would place the item in another folder.</source>
        <translation>Der Name enthält „/“ und würde das Element in einen anderen Ordner legen.</translation>
    </message>
    <message>
        <source>The name contains a NUL character.</source>
        <translation>Der Name enthält ein NUL-Zeichen.</translation>
    </message>
    <message>
        <source>The name contains control characters.</source>
        <translation>Der Name enthält Steuerzeichen.</translation>
    </message>
    <message>
        <source>Cannot read %1</source>
        <translation>%1 kann nicht gelesen werden</translation>
    </message>
    <message>
        <source>Cannot create %1</source>
        <translation>%1 kann nicht angelegt werden</translation>
    </message>
    <message>
        <source>Cannot write %1</source>
        <translation>%1 kann nicht geschrieben werden</translation>
    </message>
    <message>
        <source>Cannot set the permissions of %1</source>
        <translation>Die Rechte von %1 können nicht gesetzt werden</translation>
    </message>
    <message>
        <source>Cannot copy the link %1</source>
        <translation>Der Link %1 kann nicht kopiert werden</translation>
    </message>
    <message>
        <source>Cannot list the folder %1</source>
        <translation>Der Ordner %1 kann nicht gelesen werden</translation>
    </message>
    <message>
        <source>Cannot read the link %1</source>
        <translation>Der Link %1 kann nicht gelesen werden</translation>
    </message>
    <message>
        <source>Cannot create a link at %1</source>
        <translation>Bei %1 kann kein Link angelegt werden</translation>
    </message>
    <message>
        <source>Cannot create the folder %1</source>
        <translation>Der Ordner %1 kann nicht angelegt werden</translation>
    </message>
    <message>
        <source>Cannot remove %1</source>
        <translation>%1 kann nicht entfernt werden</translation>
    </message>
    <message>
        <source>Replaced %1, but could not set the old item aside</source>
        <translation>%1 wurde ersetzt, aber das alte Element konnte nicht beiseitegelegt werden</translation>
    </message>
    <message>
        <source>Cannot copy %1 to %2</source>
        <translation>%1 kann nicht nach %2 kopiert werden</translation>
    </message>
    <message>
        <source>Cannot move %1 to %2</source>
        <translation>%1 kann nicht nach %2 verschoben werden</translation>
    </message>
    <message>
        <source>Cannot replace %1 with %2</source>
        <translation>%1 kann nicht durch %2 ersetzt werden</translation>
    </message>
    <message>
        <source>Moved %1 to %2, but could not remove the original</source>
        <translation>%1 wurde nach %2 verschoben, aber das Original konnte nicht entfernt werden</translation>
    </message>
    <message>
        <source>Stopped.</source>
        <translation>Angehalten.</translation>
    </message>
    <message>
        <source>“%1” is not a folder.</source>
        <translation>„%1“ ist kein Ordner.</translation>
    </message>
    <message>
        <source>No access to “%1” could be kept.</source>
        <translation>Der Zugriff auf „%1“ konnte nicht behalten werden.</translation>
    </message>
    <message>
        <source>%1 is a link; it is not read.</source>
        <translation>%1 ist ein Link; er wird nicht gelesen.</translation>
    </message>
    <message>
        <source>only files, folders and links can be copied</source>
        <translation>nur Dateien, Ordner und Links können kopiert werden</translation>
    </message>
    <message>
        <source>its destination is too long</source>
        <translation>sein Ziel ist zu lang</translation>
    </message>
    <message>
        <source>The destination of %1 does not exist: %2</source>
        <translation>Das Ziel von %1 existiert nicht: %2</translation>
    </message>
    <message>
        <source>Too many levels of links at %1</source>
        <translation>Zu viele Ebenen von Links bei %1</translation>
    </message>
    <message>
        <source>something else is there</source>
        <translation>dort liegt etwas anderes</translation>
    </message>
    <message>
        <source>it does not exist</source>
        <translation>es existiert nicht</translation>
    </message>
    <message>
        <source>The path “%1” would leave the folder.</source>
        <translation>Der Pfad „%1“ würde den Ordner verlassen.</translation>
    </message>
    <message>
        <source>The path “%1” is too long for the file system.</source>
        <translation>Der Pfad „%1“ ist zu lang für das Dateisystem.</translation>
    </message>
    <message>
        <source>The files do not have the content hash %1.</source>
        <translation>Die Dateien haben nicht den Inhalts-Hash %1.</translation>
    </message>
    <message>
        <source>%1 is a link or not a plain file; it is not written.</source>
        <translation>%1 ist ein Link oder keine gewöhnliche Datei; sie wird nicht geschrieben.</translation>
    </message>
    <message>
        <source>The link leads to a folder that holds the hub or the app&apos;s folder; it cannot be moved into the hub.</source>
        <translation>Der Link führt zu einem Ordner, der den Hub oder den Ordner der App enthält; er kann nicht in den Hub verschoben werden.</translation>
    </message>
    <message>
        <source>The link already leads into the hub.</source>
        <translation>Der Link führt schon in den Hub.</translation>
    </message>
    <message>
        <source>not a plain file of at most 1 MiB</source>
        <translation>keine gewöhnliche Datei von höchstens 1 MiB</translation>
    </message>
    <message>
        <source>not a JSON object</source>
        <translation>kein JSON-Objekt</translation>
    </message>
    <message>
        <source>policyVersion is missing</source>
        <translation>policyVersion fehlt</translation>
    </message>
    <message>
        <source>policyVersion %1 is not known here; this version knows %2</source>
        <translation>policyVersion %1 ist hier nicht bekannt; diese Version kennt %2</translation>
    </message>
    <message>
        <source>allowedSources is not a list</source>
        <translation>allowedSources ist keine Liste</translation>
    </message>
    <message>
        <source>allowedSources holds something other than a pattern</source>
        <translation>allowedSources enthält etwas anderes als ein Muster</translation>
    </message>
    <message>
        <source>minimumCommitAgeDays is not a number of days</source>
        <translation>minimumCommitAgeDays ist keine Zahl von Tagen</translation>
    </message>
    <message>
        <source>auditMustPass is not true or false</source>
        <translation>auditMustPass ist weder true noch false</translation>
    </message>
    <message>
        <source>rules is not a folder inside the project</source>
        <translation>rules ist kein Ordner im Projekt</translation>
    </message>
    <message>
        <source>the key “%1” is not known here</source>
        <translation>der Schlüssel „%1“ ist hier nicht bekannt</translation>
    </message>
</context>
<context>
    <name>PlanReview</name>
    <message>
        <source>The app&apos;s folder cannot be reached.</source>
        <translation>Der Ordner der App ist nicht erreichbar.</translation>
    </message>
    <message>
        <source>There is nothing to change.</source>
        <translation>Es gibt nichts zu ändern.</translation>
    </message>
    <message>
        <source>Repair Link…</source>
        <translation>Link reparieren…</translation>
    </message>
    <message>
        <source>Move to Trash…</source>
        <translation>In den Papierkorb…</translation>
    </message>
    <message>
        <source>Take into Hub…</source>
        <translation>In den Hub übernehmen…</translation>
    </message>
    <message>
        <source>Replace from Hub…</source>
        <translation>Aus dem Hub ersetzen…</translation>
    </message>
</context>
<context>
    <name>PlanSheet</name>
    <message>
        <source>Create</source>
        <translation>Anlegen</translation>
    </message>
    <message>
        <source>Convert to Copy</source>
        <translation>In Kopie umwandeln</translation>
    </message>
    <message>
        <source>Convert to Link</source>
        <translation>In Link umwandeln</translation>
    </message>
    <message>
        <source>Renew</source>
        <translation>Erneuern</translation>
    </message>
    <message>
        <source>Move to Trash</source>
        <translation>In den Papierkorb</translation>
    </message>
    <message>
        <source>Take into Hub</source>
        <translation>In den Hub übernehmen</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Entfernen</translation>
    </message>
    <message>
        <source>Conflict</source>
        <translation>Konflikt</translation>
    </message>
    <message>
        <source>Nothing to change.</source>
        <translation>Nichts zu ändern.</translation>
    </message>
    <message numerus="yes">
        <source>Conflicts: %n. What Quorvane did not create stays untouched.</source>
        <translation>
            <numerusform>Konflikte: %n. Was Quorvane nicht angelegt hat, bleibt unberührt.</numerusform>
            <numerusform>Konflikte: %n. Was Quorvane nicht angelegt hat, bleibt unberührt.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Copies changed here: %n. They stay as they are unless you allow overwriting them.</source>
        <translation>
            <numerusform>Hier geänderte Kopien: %n. Sie bleiben, wie sie sind, außer du erlaubst das Überschreiben.</numerusform>
            <numerusform>Hier geänderte Kopien: %n. Sie bleiben, wie sie sind, außer du erlaubst das Überschreiben.</numerusform>
        </translation>
    </message>
    <message>
        <source>Entry</source>
        <translation>Eintrag</translation>
    </message>
    <message>
        <source>Action</source>
        <translation>Aktion</translation>
    </message>
    <message>
        <source>Place</source>
        <translation>Ort</translation>
    </message>
    <message>
        <source>Reason</source>
        <translation>Grund</translation>
    </message>
    <message>
        <source>Show Details</source>
        <translation>Details anzeigen</translation>
    </message>
    <message>
        <source>Hide Details</source>
        <translation>Details ausblenden</translation>
    </message>
    <message numerus="yes">
        <source>Overwrite copies changed here (%n)</source>
        <translation>
            <numerusform>Hier geänderte Kopien überschreiben (%n)</numerusform>
            <numerusform>Hier geänderte Kopien überschreiben (%n)</numerusform>
        </translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Skip Conflicts</source>
        <translation>Konflikte überspringen</translation>
    </message>
    <message>
        <source>Run</source>
        <translation>Ausführen</translation>
    </message>
</context>
<context>
    <name>QuorvaneApp</name>
    <message>
        <source>Quorvane is already open; its window was brought to the front.</source>
        <translation>Quorvane ist schon geöffnet; sein Fenster wurde nach vorn geholt.</translation>
    </message>
    <message>
        <source>Data Store Not Readable</source>
        <translation>Datenspeicher nicht lesbar</translation>
    </message>
    <message>
        <source>Quorvane could not open its data store and will quit. The file was not changed:
%1

%2</source>
        <translation>Quorvane konnte seinen Datenspeicher nicht öffnen und wird beendet. Die Datei wurde nicht verändert:
%1

%2</translation>
    </message>
</context>
<context>
    <name>Sheet</name>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>Shortcuts</name>
    <message>
        <source>Search</source>
        <translation>Suchen</translation>
    </message>
</context>
<context>
    <name>SidebarView</name>
    <message>
        <source>Show in File Manager</source>
        <translation>Im Finder anzeigen</translation>
    </message>
    <message>
        <source>Rename</source>
        <translation>Umbenennen</translation>
    </message>
    <message>
        <source>Renew Access</source>
        <translation>Zugriff erneuern</translation>
    </message>
    <message>
        <source>Add Project…</source>
        <translation>Projekt hinzufügen…</translation>
    </message>
    <message>
        <source>Overview</source>
        <translation>Übersicht</translation>
    </message>
    <message>
        <source>State of the apps: does every assistant see its skills?</source>
        <translation>Zustand der Apps: sieht jeder Assistent seine Skills?</translation>
    </message>
    <message>
        <source>Discover</source>
        <translation>Entdecken</translation>
    </message>
    <message>
        <source>Find Skills</source>
        <translation>Skills finden</translation>
    </message>
    <message>
        <source>Your Setup</source>
        <translation>Deine Umgebung</translation>
    </message>
    <message>
        <source>Central Hub</source>
        <translation>Zentraler Hub</translation>
    </message>
    <message>
        <source>Apps</source>
        <translation>Apps</translation>
    </message>
    <message>
        <source>Projects</source>
        <translation>Projekte</translation>
    </message>
    <message>
        <source>The assistant does not see every skill.</source>
        <translation>Der Assistent sieht nicht alle Skills.</translation>
    </message>
    <message>
        <source>App name</source>
        <translation>App-Name</translation>
    </message>
</context>
<context>
    <name>SkillDetailView</name>
    <message>
        <source>Skill Details</source>
        <translation>Skill Details</translation>
    </message>
    <message>
        <source>Error: %1</source>
        <translation>Fehler: %1</translation>
    </message>
    <message>
        <source>Note: %1</source>
        <translation>Hinweis: %1</translation>
    </message>
    <message>
        <source>Linked with:</source>
        <translation>Verknüpft mit:</translation>
    </message>
    <message>
        <source>Preview (first lines)</source>
        <translation>Vorschau (erste Zeilen)</translation>
    </message>
    <message>
        <source>(accepted)</source>
        <translation>(akzeptiert)</translation>
    </message>
    <message>
        <source>Withdraw Acceptance</source>
        <translation>Akzeptanz zurücknehmen</translation>
    </message>
    <message>
        <source>Accept Risk</source>
        <translation>Risiko akzeptieren</translation>
    </message>
    <message>
        <source>The findings count as checked until the content changes.</source>
        <translation>Die Befunde gelten als geprüft, bis sich der Inhalt ändert.</translation>
    </message>
    <message>
        <source>Accept the findings in &apos;%1&apos;?</source>
        <translation>Die Befunde in &apos;%1&apos; akzeptieren?</translation>
    </message>
    <message>
        <source>They then hold up neither installing nor linking until the content changes.</source>
        <translation>Sie halten dann weder Installation noch Verknüpfung auf, bis sich der Inhalt ändert.</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Origin: %1 · %2 @ %3, installed on %4</source>
        <translation>Herkunft: %1 · %2 @ %3, installiert am %4</translation>
    </message>
    <message>
        <source>Origin unknown: imported or created by hand.</source>
        <translation>Herkunft unbekannt: importiert oder selbst angelegt.</translation>
    </message>
    <message>
        <source>Changed here since installation: %1</source>
        <translation>Hier geändert seit der Installation: %1</translation>
    </message>
    <message>
        <source>Restore from Source</source>
        <translation>Aus der Quelle wiederherstellen</translation>
    </message>
    <message>
        <source>Install Update</source>
        <translation>Update installieren</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>Update</translation>
    </message>
    <message>
        <source>Central path</source>
        <translation>Zentraler Pfad</translation>
    </message>
    <message>
        <source>Copy Path</source>
        <translation>Pfad kopieren</translation>
    </message>
    <message>
        <source>Show in File Manager</source>
        <translation>Im Finder anzeigen</translation>
    </message>
    <message>
        <source>No target apps set up yet.</source>
        <translation>Noch keine Ziel-Apps angelegt.</translation>
    </message>
    <message>
        <source>Not Linked</source>
        <translation>Nicht verknüpft</translation>
    </message>
</context>
<context>
    <name>SkillStoreDetailView</name>
    <message>
        <source>Folder exists (Reload)</source>
        <translation>Ordner existiert (Erneut laden)</translation>
    </message>
    <message>
        <source>Install Skill</source>
        <translation>Skill Installieren</translation>
    </message>
    <message>
        <source>Developer:</source>
        <translation>Entwickler:</translation>
    </message>
    <message>
        <source>Downloads:</source>
        <translation>Downloads:</translation>
    </message>
    <message>
        <source>This skill is downloaded directly from %1 and installed with every file of its folder in your central hub.</source>
        <translation>Dieser Skill wird direkt von %1 heruntergeladen und mit allen Dateien seines Ordners in deinem Zentralen Hub installiert.</translation>
    </message>
    <message>
        <source>This skill seems to be in the hub already.</source>
        <translation>Dieser Skill scheint bereits im Hub zu liegen.</translation>
    </message>
    <message>
        <source>Installing skill...</source>
        <translation>Installiere Skill...</translation>
    </message>
</context>
<context>
    <name>SkillStoreListView</name>
    <message>
        <source>Store</source>
        <translation>Store</translation>
    </message>
    <message>
        <source>Search community skills...</source>
        <translation>Community-Skills suchen...</translation>
    </message>
    <message>
        <source>Search community skills</source>
        <translation>Community-Skills suchen</translation>
    </message>
    <message>
        <source>Skills found</source>
        <translation>Gefundene Skills</translation>
    </message>
    <message>
        <source>Searching %1...</source>
        <translation>Suche bei %1...</translation>
    </message>
    <message>
        <source>Sources</source>
        <translation>Quellen</translation>
    </message>
    <message>
        <source>Not reachable:</source>
        <translation>Nicht erreichbar:</translation>
    </message>
    <message>
        <source>No Sources</source>
        <translation>Keine Quellen</translation>
    </message>
    <message>
        <source>No source to search in is set up. Add a GitHub repository or a directory under “Sources”.</source>
        <translation>Es ist keine Quelle eingerichtet, in der gesucht werden kann. Füge unter „Quellen“ ein GitHub-Repository oder ein Verzeichnis hinzu.</translation>
    </message>
    <message>
        <source>No Source Reachable</source>
        <translation>Keine Quelle erreichbar</translation>
    </message>
    <message>
        <source>Nothing Found</source>
        <translation>Nichts gefunden</translation>
    </message>
    <message>
        <source>No skills were found for &apos;%1&apos;.</source>
        <translation>Es wurden keine Skills für &apos;%1&apos; gefunden.</translation>
    </message>
    <message>
        <source>Discover</source>
        <translation>Entdecken</translation>
    </message>
    <message>
        <source>Type a search term above (e.g. &apos;swift&apos;, &apos;seo&apos; or &apos;react&apos;) to find community skills from %1.</source>
        <translation>Tippe oben einen Suchbegriff ein (z.B. &apos;swift&apos;, &apos;seo&apos; oder &apos;react&apos;), um Community-Skills von %1 zu finden.</translation>
    </message>
</context>
<context>
    <name>SourcesDialog</name>
    <message>
        <source>Remove</source>
        <translation>Entfernen</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>Aktualisieren</translation>
    </message>
    <message>
        <source>Sources</source>
        <translation>Quellen</translation>
    </message>
    <message>
        <source>GitHub repository</source>
        <translation>GitHub-Repository</translation>
    </message>
    <message>
        <source>Directory</source>
        <translation>Verzeichnis</translation>
    </message>
    <message>
        <source>New source</source>
        <translation>Neue Quelle</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Hinzufügen</translation>
    </message>
    <message>
        <source> — directory</source>
        <translation> — Verzeichnis</translation>
    </message>
    <message>
        <source> — GitHub, skills: %1, read on %2</source>
        <translation> — GitHub, Skills: %1, gelesen am %2</translation>
    </message>
    <message>
        <source> (GitHub shortened the list; skills are missing)</source>
        <translation> (GitHub hat die Liste gekürzt, es fehlen Skills)</translation>
    </message>
    <message>
        <source> — GitHub, not read yet</source>
        <translation> — GitHub, noch nicht gelesen</translation>
    </message>
    <message>
        <source>Reading the sources …</source>
        <translation>Lese die Quellen …</translation>
    </message>
    <message>
        <source>All sources have been read.</source>
        <translation>Alle Quellen sind gelesen.</translation>
    </message>
    <message>
        <source>Git repository</source>
        <translation>Git-Repository</translation>
    </message>
    <message>
        <source>URL[@REF][#PATH], e.g. git@git.example.com:team/skills.git</source>
        <translation>URL[@REF][#PFAD], z. B. git@git.example.com:team/skills.git</translation>
    </message>
    <message>
        <source>OWNER/REPO[@REF][:PATH]</source>
        <translation>OWNER/REPO[@REF][:PFAD]</translation>
    </message>
    <message>
        <source>https://…</source>
        <translation>https://…</translation>
    </message>
    <message>
        <source> — git, skills: %1, read on %2</source>
        <translation> — Git, Skills: %1, gelesen am %2</translation>
    </message>
    <message>
        <source> — git, not read yet</source>
        <translation> — Git, noch nicht gelesen</translation>
    </message>
    <message>
        <source>Host: github.com</source>
        <translation>Host: github.com</translation>
    </message>
    <message>
        <source>GitHub host</source>
        <translation>GitHub-Host</translation>
    </message>
    <message>
        <source>Another GitHub host, such as https://github.example.com</source>
        <translation>Ein anderer GitHub-Host, etwa https://github.example.com</translation>
    </message>
</context>
<context>
    <name>TargetAppSkillsListView</name>
    <message>
        <source>Refresh</source>
        <translation>Aktualisieren</translation>
    </message>
    <message>
        <source>Link All…</source>
        <translation>Alle verknüpfen…</translation>
    </message>
    <message>
        <source>Remove All Links…</source>
        <translation>Alle Verknüpfungen entfernen…</translation>
    </message>
    <message>
        <source>Update Copies…</source>
        <translation>Kopien aktualisieren…</translation>
    </message>
    <message>
        <source>Restore from quorvane-lock.json…</source>
        <translation>Aus quorvane-lock.json wiederherstellen…</translation>
    </message>
    <message>
        <source>Link</source>
        <translation>Link</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Kopie</translation>
    </message>
    <message>
        <source>Placement: copies for assistants that do not follow links</source>
        <translation>Verknüpfungsart: Kopien für Assistenten, die Links nicht folgen</translation>
    </message>
    <message>
        <source>Placement</source>
        <translation>Verknüpfungsart</translation>
    </message>
    <message>
        <source>Copies for assistants that do not follow links</source>
        <translation>Kopien für Assistenten, die Links nicht folgen</translation>
    </message>
    <message>
        <source>Placement:</source>
        <translation>Verknüpfungsart:</translation>
    </message>
    <message>
        <source>Entries in the app&apos;s folder</source>
        <translation>Einträge im Ordner der App</translation>
    </message>
    <message>
        <source>This folder is still empty.</source>
        <translation>Dieser Ordner ist noch leer.</translation>
    </message>
    <message>
        <source>Repair Link</source>
        <translation>Link Reparieren</translation>
    </message>
    <message>
        <source>Broken Link</source>
        <translation>Kaputter Link</translation>
    </message>
    <message>
        <source>Linked in Hub</source>
        <translation>Verlinkt im Hub</translation>
    </message>
    <message>
        <source>Copy Current</source>
        <translation>Kopie aktuell</translation>
    </message>
    <message>
        <source>Update Copy</source>
        <translation>Kopie aktualisieren</translation>
    </message>
    <message>
        <source>Copy Changed Here</source>
        <translation>Kopie hier geändert</translation>
    </message>
    <message>
        <source>Import into Hub</source>
        <translation>In Hub Importieren</translation>
    </message>
    <message>
        <source>Show in File Manager</source>
        <translation>Im Finder anzeigen</translation>
    </message>
    <message>
        <source>Do you really want to delete &apos;%1&apos;?</source>
        <translation>Möchtest du &apos;%1&apos; wirklich löschen?</translation>
    </message>
    <message>
        <source>This action deletes the file or link from this folder.</source>
        <translation>Diese Aktion löscht die Datei oder Verknüpfung aus diesem Ordner.</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Link All Skills with %1</source>
        <translation>Alle Skills mit %1 verknüpfen</translation>
    </message>
    <message>
        <source>Remove All Links from %1</source>
        <translation>Alle Verknüpfungen aus %1 entfernen</translation>
    </message>
    <message>
        <source>Update Copies in %1</source>
        <translation>Kopien in %1 aktualisieren</translation>
    </message>
    <message>
        <source>Switch %1 to Copies</source>
        <translation>%1 auf Kopien umstellen</translation>
    </message>
    <message>
        <source>Switch %1 to Links</source>
        <translation>%1 auf Links umstellen</translation>
    </message>
    <message>
        <source>no source is allowed</source>
        <translation>keine Quelle ist erlaubt</translation>
    </message>
    <message>
        <source>skills only from %1</source>
        <translation>Skills nur aus %1</translation>
    </message>
    <message numerus="yes">
        <source>commits at least %n day(s) old</source>
        <translation>
            <numerusform>Commits mindestens %n Tag alt</numerusform>
            <numerusform>Commits mindestens %n Tage alt</numerusform>
        </translation>
    </message>
    <message>
        <source>the audit must pass, with no risk accepted</source>
        <translation>das Audit muss bestehen, ohne akzeptiertes Risiko</translation>
    </message>
    <message>
        <source>the project&apos;s own audit rules in %1</source>
        <translation>eigene Audit-Regeln des Projekts in %1</translation>
    </message>
    <message>
        <source>The project&apos;s policy sets no rules.</source>
        <translation>Die Richtlinie des Projekts legt keine Regeln fest.</translation>
    </message>
    <message>
        <source>The project&apos;s policy: %1.</source>
        <translation>Richtlinie des Projekts: %1.</translation>
    </message>
    <message>
        <source>source</source>
        <translation>Quelle</translation>
    </message>
    <message>
        <source>reads %1</source>
        <translation>liest %1</translation>
    </message>
    <message>
        <source>follows links</source>
        <translation>folgt Links</translation>
    </message>
    <message>
        <source>does not follow links</source>
        <translation>folgt keinen Links</translation>
    </message>
    <message>
        <source>does not load a SKILL.md that is a link</source>
        <translation>lädt keine SKILL.md, die ein Link ist</translation>
    </message>
    <message>
        <source>also reads %1</source>
        <translation>liest auch %1</translation>
    </message>
    <message>
        <source>accepts only the frontmatter keys %1</source>
        <translation>akzeptiert nur die Frontmatter-Schlüssel %1</translation>
    </message>
    <message>
        <source>lists up to %1 characters of names and descriptions</source>
        <translation>listet bis zu %1 Zeichen an Namen und Beschreibungen</translation>
    </message>
    <message>
        <source>drops every skill of a repository when a link leads out of it</source>
        <translation>verwirft jeden Skill eines Repositorys, wenn ein Link daraus hinausführt</translation>
    </message>
    <message>
        <source>“%1” was not imported.</source>
        <translation>„%1“ wurde nicht importiert.</translation>
    </message>
</context>
<context>
    <name>TargetSkillDetailView</name>
    <message>
        <source>Local file in this app.</source>
        <translation>Lokale Datei in dieser App.</translation>
    </message>
    <message>
        <source>To make this skill available to other apps as well, click &apos;Import into Hub&apos; in the list. This moves the file into the central hub.</source>
        <translation>Um diesen Skill auch für andere Apps verfügbar zu machen, klicke in der Liste auf &apos;In Hub Importieren&apos;. Dadurch wird die Datei in den zentralen Hub verschoben.</translation>
    </message>
    <message>
        <source>Broken Link</source>
        <translation>Kaputter Link</translation>
    </message>
    <message>
        <source>I found a skill of the same name in the hub. Shall I delete the broken link and link it anew from the hub?</source>
        <translation>Ich habe einen namensgleichen Skill im Hub gefunden. Soll ich den kaputten Link löschen und aus dem Hub neu verknüpfen?</translation>
    </message>
    <message>
        <source>The target of this link no longer exists.</source>
        <translation>Das Ziel dieser Verknüpfung existiert nicht mehr.</translation>
    </message>
    <message>
        <source>Linked with the Central Hub.</source>
        <translation>Mit Zentralem Hub verknüpft.</translation>
    </message>
    <message>
        <source>Copy from the Central Hub.</source>
        <translation>Kopie aus dem Zentralen Hub.</translation>
    </message>
    <message>
        <source>This app does not follow links. Quorvane keeps a copy of the hub entry here and brings it up to date when the entry changes.</source>
        <translation>Diese App folgt keinen Links. Quorvane hält hier eine Kopie des Hub-Eintrags und bringt sie auf den neuesten Stand, wenn er sich ändert.</translation>
    </message>
    <message>
        <source>Copy outdated.</source>
        <translation>Kopie veraltet.</translation>
    </message>
    <message>
        <source>The entry in the hub has changed since it was copied here. &apos;Update Copy&apos; replaces the copy with the new version.</source>
        <translation>Der Eintrag im Hub wurde geändert, seit er hierher kopiert wurde. &apos;Kopie aktualisieren&apos; ersetzt die Kopie durch den neuen Stand.</translation>
    </message>
    <message>
        <source>Copy changed here.</source>
        <translation>Kopie hier geändert.</translation>
    </message>
    <message>
        <source>This copy was edited in this folder. Quorvane overwrites or removes it only when you expressly agree.</source>
        <translation>Diese Kopie wurde in diesem Ordner bearbeitet. Quorvane überschreibt oder entfernt sie nur, wenn du ausdrücklich zustimmst.</translation>
    </message>
    <message>
        <source>External link.</source>
        <translation>Externe Verknüpfung.</translation>
    </message>
    <message>
        <source>To make this original data available to other apps as well, import it into the hub.</source>
        <translation>Um diese originalen Daten auch für andere Apps verfügbar zu machen, importiere sie in den Hub.</translation>
    </message>
    <message>
        <source>Points to:</source>
        <translation>Zeigt auf:</translation>
    </message>
    <message>
        <source>Copy Path</source>
        <translation>Pfad kopieren</translation>
    </message>
    <message>
        <source>Show in File Manager</source>
        <translation>Im Finder anzeigen</translation>
    </message>
</context>
<context>
    <name>TaskStrip</name>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>UpdateSheet</name>
    <message>
        <source>new</source>
        <translation>neu</translation>
    </message>
    <message>
        <source>removed</source>
        <translation>entfernt</translation>
    </message>
    <message>
        <source>changed</source>
        <translation>geändert</translation>
    </message>
    <message>
        <source>Update of “%1”</source>
        <translation>Update von „%1“</translation>
    </message>
    <message>
        <source>The new version equals the installed one.</source>
        <translation>Die neue Fassung gleicht der installierten.</translation>
    </message>
    <message numerus="yes">
        <source>Changed files: %n</source>
        <translation>
            <numerusform>Geänderte Dateien: %n</numerusform>
            <numerusform>Geänderte Dateien: %n</numerusform>
        </translation>
    </message>
    <message>
        <source>(accepted)</source>
        <translation>(akzeptiert)</translation>
    </message>
    <message>
        <source>Update Anyway</source>
        <translation>Trotzdem aktualisieren</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>Aktualisieren</translation>
    </message>
</context>
<context>
    <name>WindowCommands</name>
    <message>
        <source>Export Backup</source>
        <translation>Backup exportieren</translation>
    </message>
    <message>
        <source>Restore Backup</source>
        <translation>Backup wiederherstellen</translation>
    </message>
    <message>
        <source>Add App</source>
        <translation>App hinzufügen</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>Exportieren</translation>
    </message>
    <message>
        <source>JSON (*.json)</source>
        <translation>JSON (*.json)</translation>
    </message>
    <message>
        <source>Import</source>
        <translation>Importieren</translation>
    </message>
    <message>
        <source>Import Failed</source>
        <translation>Import Fehlgeschlagen</translation>
    </message>
    <message>
        <source>The backup file could not be read: %1</source>
        <translation>Die Backup-Datei konnte nicht gelesen werden: %1</translation>
    </message>
    <message>
        <source>Restore Links</source>
        <translation>Verknüpfungen wiederherstellen</translation>
    </message>
    <message>
        <source>To be fetched from their sources: %1.</source>
        <translation>Aus ihren Quellen zurückzuholen: %1.</translation>
    </message>
    <message>
        <source>Restoring Is Not Possible</source>
        <translation>Wiederherstellen nicht möglich</translation>
    </message>
    <message>
        <source>Not Everything Was Restored</source>
        <translation>Nicht alles wurde wiederhergestellt</translation>
    </message>
    <message>
        <source>Restore from quorvane-lock.json</source>
        <translation>Aus quorvane-lock.json wiederherstellen</translation>
    </message>
    <message>
        <source>There is nothing to change.</source>
        <translation>Es gibt nichts zu ändern.</translation>
    </message>
    <message>
        <source>To fetch: %1. Apps to add: %2. Already present and taken over: %3.</source>
        <translation>Zu holen: %1. Apps hinzuzufügen: %2. Schon vorhanden und übernommen: %3.</translation>
    </message>
    <message>
        <source>The hub keeps its own version of %1; the project gets the one from the lock file.</source>
        <translation>Der Hub behält seine eigene Fassung von %1; das Projekt bekommt die aus der Sperrdatei.</translation>
    </message>
    <message>
        <source>Not pinned to a commit, hence fetched as it stands today: %1.</source>
        <translation>Nicht auf einen Commit festgelegt, daher im heutigen Stand geholt: %1.</translation>
    </message>
    <message>
        <source>Adopt Skills of Other Installers…</source>
        <translation>Skills anderer Installer übernehmen…</translation>
    </message>
    <message>
        <source>The skills of other installers cannot be adopted.</source>
        <translation>Die Skills anderer Installer können nicht übernommen werden.</translation>
    </message>
    <message>
        <source>%1 in %2, from %3</source>
        <translation>%1 in %2, aus %3</translation>
    </message>
    <message>
        <source>%1 in %2</source>
        <translation>%1 in %2</translation>
    </message>
    <message>
        <source>There is nothing to adopt.</source>
        <translation>Es gibt nichts zu übernehmen.</translation>
    </message>
    <message>
        <source>Every skill in the known assistants&apos; folders is managed by Quorvane.</source>
        <translation>Jeder Skill in den Ordnern der bekannten Assistenten wird von Quorvane verwaltet.</translation>
    </message>
    <message numerus="yes">
        <source>Adopt %n skill(s) into the hub?</source>
        <translation>
            <numerusform>%n Skill in den Hub übernehmen?</numerusform>
            <numerusform>%n Skills in den Hub übernehmen?</numerusform>
        </translation>
    </message>
    <message>
        <source>Each moves into the hub, with its origin where another installer recorded it, and a link or copy stays in its place:
%1</source>
        <translation>Jeder wird in den Hub verschoben, mit seiner Herkunft, wo ein anderer Installer sie festgehalten hat, und an seiner Stelle bleibt ein Link oder eine Kopie:
%1</translation>
    </message>
    <message>
        <source>Not Now</source>
        <translation>Nicht jetzt</translation>
    </message>
    <message>
        <source>Adopt</source>
        <translation>Übernehmen</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Usage: quorvane [--help] [--version]
Opens the Quorvane window; a second start brings the open window to the front.
quorvane-cli does the same work from a shell.
</source>
        <translation>Aufruf: quorvane [--help] [--version]
Öffnet das Fenster von Quorvane; ein zweiter Start holt das offene Fenster nach vorn.
quorvane-cli erledigt dieselbe Arbeit in einer Shell.
</translation>
    </message>
    <message>
        <source>quorvane: unknown argument %1
</source>
        <translation>quorvane: unbekanntes Argument %1
</translation>
    </message>
</context>
</TS>
