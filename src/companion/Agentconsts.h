#pragma once
// Constantes du composant agent : codes d'erreur, réglages et messages (un par membre).
#include "ServeurAgent.h"

// Codes d'erreur propres au composant.
constexpr CodeResultat AGENT_E_ERREUR = codeResultat(0x80042064);
constexpr CodeResultat AGENT_E_HORS_LIMITES = codeResultat(0x80042065);
constexpr CodeResultat AGENT_E_NON_CONNECTE = codeResultat(0x80042067);
constexpr CodeResultat AGENT_E_INTROUVABLE = codeResultat(0x80042069);
constexpr CodeResultat AGENT_E_NON_CHARGE = codeResultat(0x8004206B);
constexpr CodeResultat AGENT_E_VALEUR_VIDE = codeResultat(0x8004206D);
constexpr CodeResultat AGENT_E_INIT = codeResultat(0x8004206E);

// Scrutation de la souris : minuterie 2, toutes les 50 ms.
constexpr int IdMinuterieSouris = 2;
constexpr int IntervalleMinuterieSouris = 50;
// Vitesse des déplacements demandés par le composant.
constexpr int VitesseDeplacement = 1000;
// Longueur lue du nom de classe d'une fenêtre.
constexpr int LongueurClasseFenetre = 15;
// Facteur de pointage d'un personnage absent de la table.
constexpr double FacteurPointageDefaut = 0.133;

// Général
inline constexpr char sGenInitializationFailed[] = "initialization failed";
inline constexpr char sGenUnloadInterface[] = "Could not unload the interface";
inline constexpr char sGenBindInterface[] = "Could not bind the interface";
inline constexpr char sGenQueryUserInputInformation[] = "Could not query for user input information";

// Composant
inline constexpr char sAgtGetAudioOutputProperties[] = "Could not get the audio output properties";
inline constexpr char sAgtGetCharactersCollection[] = "Could not get the characters collection";
inline constexpr char sAgtRetrieveRequestedCharacter[] = "Could not retrieve the requested character";
inline constexpr char sAgtGetCommandWindow[] = "Could not get the command window";
inline constexpr char sAgtGetPropertySheet[] = "Could not get the property sheet";
inline constexpr char sAgtGetSpeechInput[] = "Could not get the speech input";
inline constexpr char sAgtUnloadAudioOutput[] = "Could not unload the audio output";
inline constexpr char sAgtUnloadCharacters[] = "Could not unload the characters";
inline constexpr char sAgtUnloadCommandWindow[] = "Could not unload the command window";
inline constexpr char sAgtUnloadPropertySheet[] = "Could not unload the property sheet";
inline constexpr char sAgtUnloadSpeechInput[] = "Could not unload the speech input";
inline constexpr char sAgtShowDefaultCharacterPropertySheet[] = "Could not show the Default Character property sheet";
inline constexpr char sAgtGetMSAgentVersion[] = "Could not get the MSAgent version";
inline constexpr char sAgtCreateNotificationSink[] = "Could not create the notification sink";
inline constexpr char sAgtCreateInstanceMSAgentControl[] = "Could not create an instance of the MSAgent control";
inline constexpr char sAgtInstanceNotLoaded[] = "An instance of the MSAgent control is not loaded";
inline constexpr char sAgtRegisterNotificationSink[] = "Could not register the notification sink";
inline constexpr char sAgtReleaseNotificationSink[] = "Could not release the notification sink";

// Sortie audio
inline constexpr char sAudGetAudioOutputEnabled[] = "Could not get whether audio output is enabled";
inline constexpr char sAudGetAudioOutputUsesSoundEffects[] = "Could not get whether audio output uses sound effects";
inline constexpr char sAudGetAudioOutputStatus[] = "Could not get the audio output status";

// Bulle
inline constexpr char sBalGetBalloonBackgroundColor[] = "Could not get the balloon's background color";
inline constexpr char sBalGetBalloonBorderColor[] = "Could not get the balloon's border color";
inline constexpr char sBalGetBalloonEnabled[] = "Could not get whether the the balloon is enabled";
inline constexpr char sBalGetBalloonFontCharset[] = "Could not get the balloon font's charset";
inline constexpr char sBalGetBalloonFontName[] = "Could not get the balloon font's name";
inline constexpr char sBalGetBalloonFontSize[] = "Could not get the balloon font's size";
inline constexpr char sBalGetBalloonFontStyle[] = "Could not get the balloon font's style";
inline constexpr char sBalGetBalloonForegroundColor[] = "Could not get the balloon's foreground color";
inline constexpr char sBalGetNumberLinesBalloon[] = "Could not get the number of lines for the balloon";
inline constexpr char sBalGetNumberCharactersPerLineBalloon[] = "Could not get the number of characters per line for the balloon";
inline constexpr char sBalGetBalloonStyle[] = "Could not get the balloon's style";
inline constexpr char sBalGetBalloonVisibility[] = "Could not get the balloon's visibility";
inline constexpr char sBalHideBalloon[] = "Could not hide the balloon";
inline constexpr char sBalResetBalloonSettings[] = "Cannot reset the balloon's settings";
inline constexpr char sBalSetBalloonBackgroundColor[] = "Could not set the balloon's background color";
inline constexpr char sBalSetBalloonBorderColor[] = "Could not set the balloon's border color";
inline constexpr char sBalSetBalloonEnabled[] = "Could not set whether the the balloon is enabled";
inline constexpr char sBalSetBalloonFontCharset[] = "Could not set the balloon font's charset";
inline constexpr char sBalSetBalloonFontName[] = "Could not set the balloon font's name";
inline constexpr char sBalSetBalloonFontSize[] = "Could not set the balloon font's size";
inline constexpr char sBalSetBalloonFontStyle[] = "Could not set the balloon font's style";
inline constexpr char sBalSetBalloonForegroundColor[] = "Could not set the balloon's foreground color";
inline constexpr char sBalSetNumberLinesBalloon[] = "Could not set the number of lines for the balloon";
inline constexpr char sBalSetNumberCharactersPerLineBalloon[] = "Could not set the number of characters per line for the balloon";
inline constexpr char sBalSetBalloonStyle[] = "Could not set the balloon's style";
inline constexpr char sBalShowBalloon[] = "Could not show the balloon";

// Personnage
inline constexpr char sChrGetAnimationNames[] = "Could not get the animation names";
inline constexpr char sChrGetAnimationNamesEnum[] = "Could not get the animation names enum";
inline constexpr char sChrGetCharacterAutoPopupEnabled[] = "Could not get whether the character's AutoPopup is enabled";
inline constexpr char sChrGestureAtCoordinates[] = "Could not gesture at coordinates";
inline constexpr char sChrGestureAtObject[] = "Could not gesture at object";
inline constexpr char sChrGestureAtObjectNom[] = "Could not gesture at object '%s'";
inline constexpr char sChrGetCharacterActiveState[] = "Could not get the character's active state";
inline constexpr char sChrGetCharacterBalloon[] = "Could not get the character's balloon";
inline constexpr char sChrGetCharacterCommands[] = "Could not get the character's commands";
inline constexpr char sChrGetCharacterDescription[] = "Could not get the character's description";
inline constexpr char sChrGetCharacterExtraData[] = "Could not get the character's extra data";
inline constexpr char sChrGetCharacterGUID[] = "Could not get the character's GUID";
inline constexpr char sChrGetCharacterHelpContext[] = "Could not get the character's help context";
inline constexpr char sChrGetCharacterHelpFile[] = "Could not get the character's help file";
inline constexpr char sChrGetCharacterHelpMode[] = "Could not get whether the character's HelpMode is on";
inline constexpr char sChrGetCharacterIdleState[] = "Could not get the character's idle state";
inline constexpr char sChrGetCharacterLanguageID[] = "Could not get the character's language ID";
inline constexpr char sChrGetCharacterName[] = "Could not get the character's name";
inline constexpr char sChrGetCharacterOriginalSizes[] = "Could not get the character's original sizes";
inline constexpr char sChrGetCharacterNumberOtherClients[] = "Could not get the character's number of other clients";
inline constexpr char sChrGetCharacterPosition[] = "Could not get the character's position";
inline constexpr char sChrGetCharacterSize[] = "Could not get the character's size";
inline constexpr char sChrGetSoundEffectsOn[] = "Could not get whether the sound effects are on/off";
inline constexpr char sChrGetCharacterLastMoveCause[] = "Could not get the character's last move cause";
inline constexpr char sChrGetCharacterSpeechRecognitionModeID[] = "Could not get the character's Speech Recognition Mode ID";
inline constexpr char sChrGetCharacterSpeechRecognitionStatus[] = "Could not get the character's Speech Recognition status";
inline constexpr char sChrGetCharacterTextSpeechModeID[] = "Could not get the character's Text-To-Speech Mode ID";
inline constexpr char sChrGetCharacterTextSpeechPitch[] = "Could not get the character's Text-To-Speech pitch";
inline constexpr char sChrGetCharacterTextSpeechSpeed[] = "Could not get the character's Text-To-Speech speed";
inline constexpr char sChrGetCharacterVersion[] = "Could not get the character's version";
inline constexpr char sChrGetCharacterLastVisibilityCause[] = "Could not get the character's last visibility cause";
inline constexpr char sChrHideCharacter[] = "Could not hide the character";
inline constexpr char sChrLoadCharacter[] = "Could not load the character";
inline constexpr char sChrInterruptCharacter[] = "Could not interrupt the character";
inline constexpr char sChrGetCharacterVisibleState[] = "Could not get the character's visible state";
inline constexpr char sChrSetCharacterListening[] = "Could not set whether the character is listening";
inline constexpr char sChrMoveObject[] = "Could not move to object";
inline constexpr char sChrMoveObjectNom[] = "Could not move to object '%s'";
inline constexpr char sChrMoveSideObject[] = "Could not move to side of object";
inline constexpr char sChrMoveCharacter[] = "Could not move the character";
inline constexpr char sChrPlayAnimationNom[] = "Could not play the animation '%s'";
inline constexpr char sChrPrepareRequestedCharacterDataNom[] = "Could not prepare the requested character data '%s'";
inline constexpr char sChrSetCharacterAutoPopup[] = "Could not set the character's AutoPopup";
inline constexpr char sChrSetCharacterActiveState[] = "Could not set the character's active state";
inline constexpr char sChrSetCharacterAsTopMost[] = "Could not set character as top-most";
inline constexpr char sChrSetClientAsActive[] = "Could not set client as active";
inline constexpr char sChrSetClientAsNonactive[] = "Could not set the client as nonactive";
inline constexpr char sChrSetCharacterDescription[] = "Could not set the character's description";
inline constexpr char sChrSetCharacterHelpContext[] = "Could not set the character's help context";
inline constexpr char sChrSetCharacterHelpFile[] = "Could not set the character's help file";
inline constexpr char sChrSetCharacterHelpMode[] = "Could not set the character's help mode";
inline constexpr char sChrSetCharacterIdleState[] = "Could not set the character's idle state";
inline constexpr char sChrSetCharacterLanguageID[] = "Could not set the character's language ID";
inline constexpr char sChrSetCharacterName[] = "Could not set the character's name";
inline constexpr char sChrSetCharacterPosition[] = "Could not set the character's position";
inline constexpr char sChrSetCharacterSize[] = "Could not set the character's size";
inline constexpr char sChrSetSoundEffectsOn[] = "Could not set the sound effects on/off";
inline constexpr char sChrSetSpeechRecognitionModeID[] = "Could not set the Speech Recognition Mode ID";
inline constexpr char sChrSetTextSpeechModeID[] = "Could not set the Text-To-Speech Mode ID";
inline constexpr char sChrShowCharacter[] = "Could not show the character";
inline constexpr char sChrShowCharacterPopupMenu[] = "Could not show the character's popup menu";
inline constexpr char sChrSpeakTextUrl[] = "Could not speak the text/url";
inline constexpr char sChrStopCharacter[] = "Could not stop the character";
inline constexpr char sChrThinkText[] = "Could not think the text";
inline constexpr char sChrUnloadCharacter[] = "Could not unload the character";
inline constexpr char sChrWaitCharacterRequest[] = "Could not wait for the character's request";

// Collection des personnages
inline constexpr char sChsCreateTimerWindow[] = "Could not create the timer window";
inline constexpr char sChsCreateNewCharacter[] = "Could not create the new character";
inline constexpr char sChsRefreshListInstalledCharacters[] = "Could not refresh the list of installed characters";
inline constexpr char sChsRetrieveRequestedCharacterNickname[] = "Could not retrieve the requested character by nickname";
inline constexpr char sChsRetrieveRequestedCharacterID[] = "Could not retrieve the requested character by ID";
inline constexpr char sChsRetrieveRequestedCharacterIndex[] = "Could not retrieve the requested character by index";
inline constexpr char sChsRetrieveRequestedCharacterWindowHandle[] = "Could not retrieve the requested character by window handle";
inline constexpr char sChsRetrieveRequestedCharacterCommand[] = "Could not retrieve the requested character by command";
inline constexpr char sChsRetrieveRequestedCharacterRequest[] = "Could not retrieve the requested character by request";
inline constexpr char sChsGetRequestsList[] = "Could not get the requests list";
inline constexpr char sChsRemoveSpecifiedRequest[] = "Could not remove the specified request";
inline constexpr char sChsLoadCharacterFile[] = "Could not load the character file";

// Commande
inline constexpr char sCmdGetCommandCaption[] = "Could not get the command's caption";
inline constexpr char sCmdGetCommandConfidenceText[] = "Could not get the command's confidence text";
inline constexpr char sCmdGetCommandConfidenceThreshold[] = "Could not get the command's confidence threshold";
inline constexpr char sCmdGetCommandEnabled[] = "Could not get whether the command is enabled";
inline constexpr char sCmdGetCommandHelpContext[] = "Could not get the command's help context";
inline constexpr char sCmdGetCommandVoice[] = "Could not get the command's voice";
inline constexpr char sCmdGetCommandVoiceCaption[] = "Could not get the command's voice caption";
inline constexpr char sCmdGetCommandVisibility[] = "Could not get the command's visibility";
inline constexpr char sCmdSetCommandCaption[] = "Could not set the command's caption";
inline constexpr char sCmdSetCommandConfidenceText[] = "Could not set the command's confidence text";
inline constexpr char sCmdSetCommandConfidenceThreshold[] = "Could not set the command's confidence threshold";
inline constexpr char sCmdSetCommandEnabled[] = "Could not set whether the command is enabled";
inline constexpr char sCmdSetCommandHelpContext[] = "Could not set the command's help context";
inline constexpr char sCmdSetCommandVoice[] = "Could not set the command's voice";
inline constexpr char sCmdSetCommandVoiceCaption[] = "Could not set the command's voice caption";
inline constexpr char sCmdSetCommandVisibility[] = "Could not set the command's visibility";

// Collection des commandes
inline constexpr char sCmsCreateNewCommand[] = "Could not create the new command";
inline constexpr char sCmsAddNewCommand[] = "Could not add the new command";
inline constexpr char sCmsGetCommandCollectionCaption[] = "Could not get the command collection's caption";
inline constexpr char sCmsGetCommandFromList[] = "Could not the the requested command from the list";
inline constexpr char sCmsGetDefaultCommandID[] = "Could not get the default command ID";
inline constexpr char sCmsGetCommandCollectionFontName[] = "Could not get the command collection's font name";
inline constexpr char sCmsGetCommandCollectionFontSize[] = "Could not get the command collection's font size";
inline constexpr char sCmsGetGlobalVoiceCommandsAreEnabled[] = "Could not get whether global voice commands are enabled";
inline constexpr char sCmsGetCommandCollectionHelpContext[] = "Could not get the command collection's help context";
inline constexpr char sCmsGetCommandCollectionVisibility[] = "Could not get the command collection's visibility";
inline constexpr char sCmsGetCommandCollectionVoice[] = "Could not get the command collection's voice";
inline constexpr char sCmsGetCommandCollectionVoiceCaption[] = "Could not get the command collection's voice caption";
inline constexpr char sCmsInsertNewCommand[] = "Could not insert the new command";
inline constexpr char sCmsRemoveCommand[] = "Could not remove the command";
inline constexpr char sCmsRemoveCommands[] = "Could not remove the commands";
inline constexpr char sCmsSetCommandCollectionCaption[] = "Could not set the command collection's caption";
inline constexpr char sCmsSetDefaultCommand[] = "Could not set the default command";
inline constexpr char sCmsSetDefaultCommandID[] = "Could not set the default command ID";
inline constexpr char sCmsSetCommandCollectionFontName[] = "Could not set the command collection's font name";
inline constexpr char sCmsSetCommandCollectionFontSize[] = "Could not set the command collection's font size";
inline constexpr char sCmsSetGlobalVoiceCommandsAreEnabled[] = "Could not set whether global voice commands are enabled";
inline constexpr char sCmsSetCommandsCollectionVisibility[] = "Could not set the commands collection's visibility";
inline constexpr char sCmsSetCommandCollectionVoice[] = "Could not set the command collection's voice";
inline constexpr char sCmsSetCommandsCollectionVoiceCaption[] = "Could not set the commands collection's voice caption";

// Fenêtre des commandes
inline constexpr char sCmwGetCommandWindowPosition[] = "Could not get the command window's position";
inline constexpr char sCmwGetCommandWindowSize[] = "Could not get the command window's size";
inline constexpr char sCmwGetCommandWindowVisibility[] = "Could not get the command window's visibility";
inline constexpr char sCmwHideCommandWindow[] = "Could not hide the command window";
inline constexpr char sCmwShowCommandWindow[] = "Could not show the command window";

// Feuille de propriétés
inline constexpr char sPrsGetPropertySheetPage[] = "Could not get the property sheet's page";
inline constexpr char sPrsGetPropertySheetPosition[] = "Could not get the property sheet's position";
inline constexpr char sPrsGetPropertySheetSize[] = "Could not get the property sheet's size";
inline constexpr char sPrsGetPropertySheetVisibility[] = "Could not get the property sheet's visibility";
inline constexpr char sPrsHidePropertySheet[] = "Could not hide the property sheet";
inline constexpr char sPrsSetPropertySheetPage[] = "Could not set the property sheet's page";
inline constexpr char sPrsShowPropertySheet[] = "Could not show the property sheet";

// Entrée vocale
inline constexpr char sSpiGetSpeechInputEnabled[] = "Could not get whether speech input is enabled";
inline constexpr char sSpiGetSpeechInputHotkey[] = "Could not get the speech input hotkey";
inline constexpr char sSpiGetSpeechInputListeningTipEnabled[] = "Could not get whether the speech input listening tip is enabled";

// Entrée utilisateur
inline constexpr char sUsiGetNumberCommandAlternatives[] = "Could not get the number of command alternatives";
inline constexpr char sUsiGetCommandItemConfidence[] = "Could not get the command item's confidence";
inline constexpr char sUsiGetCommandItemID[] = "Could not get the command item's ID";
inline constexpr char sUsiGetCommandItemText[] = "Could not get the command item's text";
