#pragma once
// Command line of the host application.
#include <QString>
#include <QStringList>
#include <optional>

struct HostOptions {
    QString database;   // --db FILE; empty: the demo database of the user's data folder
    QString user;       // --user NAME; empty: the operating-system user
    QString aide;       // --aide CODE: open this beneficiary's contracts at once
    QString screenshot; // --screenshot FILE.png: render the window and exit
    QString contrat;    // --contrat KEY: with --screenshot, render the editor on this contract
    int onglet = 0;     // --onglet N: the editor's tab to render (0 to 4)
    QString document;   // --document KEY: with --pdf, the contract or amendment (key + number) to write
    QString pdf;        // --pdf FILE.pdf: write that document as PDF and exit
};

// Parses the arguments; on a usage error returns nullopt with the message
// (and the usage) in `error`.
std::optional<HostOptions> ParseHostOptions(const QStringList& arguments, QString& error);

// Where the demo database lives when no --db is given.
QString DefaultDatabasePath();
