<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>FileRead</name>
    <message>
        <source>It is a folder, not a file.</source>
        <translation>Das ist ein Ordner, keine Datei.</translation>
    </message>
    <message>
        <source>It is not a regular file.</source>
        <translation>Das ist keine gewöhnliche Datei.</translation>
    </message>
    <message>
        <source>The file is larger than %1 bytes.</source>
        <translation>Die Datei ist größer als %1 Byte.</translation>
    </message>
</context>
<context>
    <name>FileWrite</name>
    <message>
        <source>The file now belongs to you and your group: %1.</source>
        <translation>Die Datei gehört jetzt Ihnen und Ihrer Gruppe: %1.</translation>
    </message>
    <message>
        <source>Its permissions could not be kept: %1.</source>
        <translation>Ihre Zugriffsrechte konnten nicht erhalten werden: %1.</translation>
    </message>
</context>
<context>
    <name>HtmlWriter</name>
    <message>
        <source>Could not write &quot;%1&quot;: %2</source>
        <translation>„%1“ konnte nicht geschrieben werden: %2</translation>
    </message>
</context>
<context>
    <name>ResultColumns</name>
    <message>
        <source>Width</source>
        <translation>Breite</translation>
    </message>
    <message>
        <source>Height</source>
        <translation>Höhe</translation>
    </message>
    <message>
        <source>Area%</source>
        <translation>Fläche %</translation>
    </message>
    <message>
        <source>Area as %</source>
        <translation>Fläche in %</translation>
    </message>
    <message>
        <source>Area (h*w)</source>
        <translation>Fläche (H*B)</translation>
    </message>
    <message>
        <source>Area as Height*Width</source>
        <translation>Fläche als Höhe*Breite</translation>
    </message>
    <message>
        <source>PixelDif</source>
        <translation>Pixeldiff.</translation>
    </message>
    <message>
        <source>PixelDifference</source>
        <translation>Pixeldifferenz</translation>
    </message>
    <message>
        <source>Width dividable by</source>
        <translation>Breite teilbar durch</translation>
    </message>
    <message>
        <source>Height dividable by</source>
        <translation>Höhe teilbar durch</translation>
    </message>
    <message>
        <source>Letterboxed</source>
        <translation>Mit Letterbox</translation>
    </message>
</context>
<context>
    <name>TEasyGrid</name>
    <message>
        <source>Original number</source>
        <translation>Ursprüngliche Nummer</translation>
    </message>
    <message>
        <source>Number</source>
        <translation>Nummer</translation>
    </message>
    <message>
        <source>No Data</source>
        <translation>Keine Daten</translation>
    </message>
    <message>
        <source>Save grid as Html</source>
        <translation>Tabelle als HTML speichern</translation>
    </message>
    <message>
        <source>Print Grid</source>
        <translation>Tabelle drucken</translation>
    </message>
    <message>
        <source>Font..</source>
        <translation>Schriftart...</translation>
    </message>
    <message>
        <source>Proportional Font on/off</source>
        <translation>Proportionalschrift ein/aus</translation>
    </message>
    <message>
        <source>Reset Font</source>
        <translation>Schriftart zurücksetzen</translation>
    </message>
    <message>
        <source>Grid bands</source>
        <translation>Zeilenbänder</translation>
    </message>
    <message>
        <source>Vertical lines</source>
        <translation>Senkrechte Linien</translation>
    </message>
    <message>
        <source>Horizontal lines</source>
        <translation>Waagerechte Linien</translation>
    </message>
    <message>
        <source>Maximize grid on/off (ctrl-F4)</source>
        <translation>Tabelle maximieren ein/aus (ctrl-F4)</translation>
    </message>
    <message>
        <source>Show/Hide grid panels (ctrl-F5)</source>
        <translation>Tabellenbereiche ein-/ausblenden (ctrl-F5)</translation>
    </message>
    <message>
        <source>Cycle thru column layouts (ctrl-F2)</source>
        <translation>Spaltenanordnungen durchschalten (ctrl-F2)</translation>
    </message>
    <message>
        <source>Sort by the current column (ctrl-F6)</source>
        <translation>Nach der aktuellen Spalte sortieren (ctrl-F6)</translation>
    </message>
    <message>
        <source>Unsorted list (ctrl-F7)</source>
        <translation>Unsortierte Liste (ctrl-F7)</translation>
    </message>
</context>
<context>
    <name>TForm1</name>
    <message>
        <source>From/To</source>
        <translation>Von/Bis</translation>
    </message>
    <message>
        <source>Width filter</source>
        <translation>Breitenfilter</translation>
    </message>
    <message>
        <source>Ratio options</source>
        <translation>Seitenverhältnis</translation>
    </message>
    <message>
        <source>Add Letterboxes?</source>
        <translation>Letterboxen hinzufügen?</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Optionen</translation>
    </message>
    <message>
        <source>Click here for homepage</source>
        <translation>Hier klicken für die Homepage</translation>
    </message>
    <message>
        <source>From</source>
        <translation>Von</translation>
    </message>
    <message>
        <source>To</source>
        <translation>Bis</translation>
    </message>
    <message>
        <source>Width</source>
        <translation>Breite</translation>
    </message>
    <message>
        <source>Height</source>
        <translation>Höhe</translation>
    </message>
    <message>
        <source>dividable by</source>
        <translation>teilbar durch</translation>
    </message>
    <message>
        <source>not dividable by</source>
        <translation>nicht teilbar durch</translation>
    </message>
    <message>
        <source>Ratio must be (width : height)</source>
        <translation>Seitenverhältnis (Breite : Höhe)</translation>
    </message>
    <message>
        <source>Display ratio as</source>
        <translation>Verhältnis anzeigen als</translation>
    </message>
    <message>
        <source>Same ratio as window size</source>
        <translation>Fensterformat übernehmen</translation>
    </message>
    <message>
        <source>Playing ratio</source>
        <translation>Filmformat</translation>
    </message>
    <message>
        <source>Your Screen&apos;s ratio</source>
        <translation>Ihr Bildschirmformat</translation>
    </message>
    <message>
        <source>90° rotated movie</source>
        <translation>Film um 90° gedreht</translation>
    </message>
    <message>
        <source>Digit grouping</source>
        <translation>Zifferngruppierung</translation>
    </message>
    <message>
        <source>Visit my Homepage</source>
        <translation>Zur Homepage</translation>
    </message>
    <message>
        <source>Separate divisors by &quot;,&quot;
So 3,4 would find any number which is dividable by 3 or 4</source>
        <translation>Teiler durch „,“ trennen
3,4 findet also jede Zahl, die durch 3 oder 4 teilbar ist</translation>
    </message>
    <message>
        <source>Change transparency</source>
        <translation>Transparenz ändern</translation>
    </message>
    <message>
        <source>Visit the online help for more info about this.</source>
        <translation>Mehr dazu in der Online-Hilfe.</translation>
    </message>
    <message>
        <source>Online help on this topic</source>
        <translation>Online-Hilfe zu diesem Thema</translation>
    </message>
    <message>
        <source>Width dividable by</source>
        <translation>Breite teilbar durch</translation>
    </message>
    <message>
        <source>Height dividable by</source>
        <translation>Höhe teilbar durch</translation>
    </message>
    <message>
        <source>Width not dividable by</source>
        <translation>Breite nicht teilbar durch</translation>
    </message>
    <message>
        <source>Height not dividable by</source>
        <translation>Höhe nicht teilbar durch</translation>
    </message>
    <message>
        <source>Ratio width</source>
        <translation>Seitenverhältnis Breite</translation>
    </message>
    <message>
        <source>Ratio height</source>
        <translation>Seitenverhältnis Höhe</translation>
    </message>
    <message>
        <source>Display ratio width</source>
        <translation>Anzeigeverhältnis Breite</translation>
    </message>
    <message>
        <source>Display ratio height</source>
        <translation>Anzeigeverhältnis Höhe</translation>
    </message>
    <message>
        <source>Transparency</source>
        <translation>Transparenz</translation>
    </message>
    <message>
        <source>Predefined formats</source>
        <translation>Vordefinierte Formate</translation>
    </message>
    <message>
        <source>Playing ratio width</source>
        <translation>Filmformat Breite</translation>
    </message>
    <message>
        <source>Playing ratio height</source>
        <translation>Filmformat Höhe</translation>
    </message>
    <message>
        <source>Results</source>
        <translation>Ergebnisse</translation>
    </message>
    <message>
        <source>Predefined Ratios</source>
        <translation>Vordefinierte Seitenverhältnisse</translation>
    </message>
    <message>
        <source>Predefined</source>
        <translation>Vorgaben</translation>
    </message>
    <message>
        <source>The ratio terms must be 1 or more</source>
        <translation>Die Werte des Seitenverhältnisses müssen mindestens 1 sein</translation>
    </message>
    <message>
        <source>From is above To</source>
        <translation>„Von“ ist größer als „Bis“</translation>
    </message>
    <message>
        <source>No width in the range gives a whole-number height</source>
        <translation>Keine Breite im Bereich ergibt eine ganzzahlige Höhe</translation>
    </message>
    <message>
        <source>Every height in the range is above 2147483647</source>
        <translation>Jede Höhe im Bereich liegt über 2147483647</translation>
    </message>
    <message>
        <source>No pair passes the filters</source>
        <translation>Kein Paar passt zu den Filtern</translation>
    </message>
    <message>
        <source>Screen ratio height</source>
        <translation>Bildschirmformat Höhe</translation>
    </message>
    <message>
        <source>Screen ratio width</source>
        <translation>Bildschirmformat Breite</translation>
    </message>
    <message>
        <source>Terms must be 1 or more</source>
        <translation>Werte müssen mindestens 1 sein</translation>
    </message>
    <message>
        <source>Product of the reduced terms %1</source>
        <translation>Produkt der gekürzten Werte %1</translation>
    </message>
    <message>
        <source>No web browser was found to open %1.</source>
        <translation>Es wurde kein Webbrowser gefunden, um %1 zu öffnen.</translation>
    </message>
</context>
<context>
    <name>TGridPrinter</name>
    <message>
        <source>Printing could not start: the printer or file cannot be opened.</source>
        <translation>Der Druck konnte nicht beginnen: Der Drucker oder die Datei lässt sich nicht öffnen.</translation>
    </message>
    <message>
        <source>Printing stopped at page %1.</source>
        <translation>Der Druck brach bei Seite %1 ab.</translation>
    </message>
    <message>
        <source>Printing could not be finished.</source>
        <translation>Der Druck konnte nicht abgeschlossen werden.</translation>
    </message>
</context>
<context>
    <name>THtmlExportDialog</name>
    <message>
        <source>Save grid as HTML</source>
        <translation>Tabelle als HTML speichern</translation>
    </message>
    <message>
        <source>HTML files (*.htm *.html)</source>
        <translation>HTML-Dateien (*.htm *.html)</translation>
    </message>
    <message>
        <source>Page &amp;title:</source>
        <translation>Seiten&amp;titel:</translation>
    </message>
    <message>
        <source>&amp;Font:</source>
        <translation>&amp;Schriftart:</translation>
    </message>
    <message>
        <source>Font</source>
        <translation>Schriftart</translation>
    </message>
    <message>
        <source>Font &amp;size (pt):</source>
        <translation>Schrift&amp;größe (pt):</translation>
    </message>
    <message>
        <source>&amp;Border width (px):</source>
        <translation>&amp;Rahmenbreite (px):</translation>
    </message>
    <message>
        <source>Cell &amp;padding (px):</source>
        <translation>Zellen&amp;innenabstand (px):</translation>
    </message>
    <message>
        <source>Cell s&amp;pacing (px):</source>
        <translation>Zellen&amp;abstand (px):</translation>
    </message>
    <message>
        <source>&amp;Header row</source>
        <translation>&amp;Kopfzeile</translation>
    </message>
    <message>
        <source>Header background:</source>
        <translation>Hintergrund der Kopfzeile:</translation>
    </message>
    <message>
        <source>Header text:</source>
        <translation>Text der Kopfzeile:</translation>
    </message>
    <message>
        <source>Cell background:</source>
        <translation>Zellenhintergrund:</translation>
    </message>
    <message>
        <source>Cell text:</source>
        <translation>Zellentext:</translation>
    </message>
    <message>
        <source>Border colour:</source>
        <translation>Rahmenfarbe:</translation>
    </message>
    <message>
        <source>Pre&amp;view</source>
        <translation>&amp;Vorschau</translation>
    </message>
    <message>
        <source>&amp;Save...</source>
        <translation>Spei&amp;chern...</translation>
    </message>
    <message>
        <source>Could not write the preview: %1</source>
        <translation>Die Vorschau konnte nicht geschrieben werden: %1</translation>
    </message>
    <message>
        <source>No application could be started to show &quot;%1&quot;.</source>
        <translation>Kein Programm konnte gestartet werden, um „%1“ anzuzeigen.</translation>
    </message>
</context>
<context>
    <name>TPreviewFolder</name>
    <message>
        <source>The preview folder &quot;%1&quot; could not be made: %2</source>
        <translation>Der Vorschauordner „%1“ konnte nicht angelegt werden: %2</translation>
    </message>
    <message>
        <source>The preview folder &quot;%1&quot; is not used: it is a link or not a folder.</source>
        <translation>Der Vorschauordner „%1“ wird nicht verwendet: Er ist eine Verknüpfung oder kein Ordner.</translation>
    </message>
    <message>
        <source>The preview folder &quot;%1&quot; could not be opened: %2</source>
        <translation>Der Vorschauordner „%1“ konnte nicht geöffnet werden: %2</translation>
    </message>
    <message>
        <source>The preview folder &quot;%1&quot; is not used: it belongs to another user.</source>
        <translation>Der Vorschauordner „%1“ wird nicht verwendet: Er gehört einem anderen Benutzer.</translation>
    </message>
    <message>
        <source>The preview folder &quot;%1&quot; is not used: others may enter it (mode %2, it must be 0700).</source>
        <translation>Der Vorschauordner „%1“ wird nicht verwendet: Andere können ihn betreten (Modus %2, er muss 0700 sein).</translation>
    </message>
</context>
<context>
    <name>TPrintPreview</name>
    <message>
        <source>Pa&amp;ge:</source>
        <translation>&amp;Seite:</translation>
    </message>
    <message>
        <source>Page shown</source>
        <translation>Angezeigte Seite</translation>
    </message>
    <message>
        <source>of %1</source>
        <translation>von %1</translation>
    </message>
</context>
<context>
    <name>TPrintSettings</name>
    <message>
        <source>The existing file cannot be read: %1</source>
        <translation>Die vorhandene Datei kann nicht gelesen werden: %1</translation>
    </message>
    <message>
        <source>There is no such file.</source>
        <translation>Diese Datei gibt es nicht.</translation>
    </message>
    <message>
        <source>INI files (*.ini)</source>
        <translation>INI-Dateien (*.ini)</translation>
    </message>
    <message>
        <source>All files (*.*)</source>
        <translation>Alle Dateien (*.*)</translation>
    </message>
</context>
<context>
    <name>TPrintSettingsDialog</name>
    <message>
        <source>None</source>
        <translation>Keine</translation>
    </message>
    <message>
        <source>Top left</source>
        <translation>Oben links</translation>
    </message>
    <message>
        <source>Top right</source>
        <translation>Oben rechts</translation>
    </message>
    <message>
        <source>Top centre</source>
        <translation>Oben mittig</translation>
    </message>
    <message>
        <source>Bottom left</source>
        <translation>Unten links</translation>
    </message>
    <message>
        <source>Bottom right</source>
        <translation>Unten rechts</translation>
    </message>
    <message>
        <source>Bottom centre</source>
        <translation>Unten mittig</translation>
    </message>
    <message>
        <source>Save settings</source>
        <translation>Einstellungen speichern</translation>
    </message>
    <message>
        <source>Load settings</source>
        <translation>Einstellungen laden</translation>
    </message>
    <message>
        <source>Print settings</source>
        <translation>Druckeinstellungen</translation>
    </message>
    <message>
        <source>La&amp;yout</source>
        <translation>&amp;Layout</translation>
    </message>
    <message>
        <source>H&amp;eader &amp;&amp; footer</source>
        <translation>&amp;Kopf- &amp;&amp; Fußzeile</translation>
    </message>
    <message>
        <source>Fo&amp;nts</source>
        <translation>&amp;Schriften</translation>
    </message>
    <message>
        <source>&amp;Preferences</source>
        <translation>&amp;Voreinstellungen</translation>
    </message>
    <message>
        <source>P&amp;rint...</source>
        <translation>&amp;Drucken...</translation>
    </message>
    <message>
        <source>Lengths in tenths of a millimetre</source>
        <translation>Längen in Zehntelmillimetern</translation>
    </message>
    <message>
        <source>&amp;Left margin:</source>
        <translation>&amp;Linker Rand:</translation>
    </message>
    <message>
        <source>Ri&amp;ght margin:</source>
        <translation>&amp;Rechter Rand:</translation>
    </message>
    <message>
        <source>Column s&amp;pacing:</source>
        <translation>S&amp;paltenabstand:</translation>
    </message>
    <message>
        <source>Ro&amp;w spacing:</source>
        <translation>&amp;Zeilenabstand:</translation>
    </message>
    <message>
        <source>T&amp;itle spacing:</source>
        <translation>&amp;Titelabstand:</translation>
    </message>
    <message>
        <source>Fixed row &amp;height:</source>
        <translation>Feste Zeilen&amp;höhe:</translation>
    </message>
    <message>
        <source>Fixed column wi&amp;dth:</source>
        <translation>Feste Spalten&amp;breite:</translation>
    </message>
    <message>
        <source>Table</source>
        <translation>Tabelle</translation>
    </message>
    <message>
        <source>&amp;Centred on the page</source>
        <translation>Auf der Seite &amp;mittig</translation>
    </message>
    <message>
        <source>&amp;Keep the grid&apos;s column widths</source>
        <translation>Spaltenbreiten der Tabelle beib&amp;ehalten</translation>
    </message>
    <message>
        <source>Repeat the header row on e&amp;very page</source>
        <translation>Kopfzeile auf &amp;jeder Seite wiederholen</translation>
    </message>
    <message>
        <source>Repeat fi&amp;xed columns on every page</source>
        <translation>Feste Spalten auf jeder Seite &amp;wiederholen</translation>
    </message>
    <message>
        <source>&amp;Borders:</source>
        <translation>Rah&amp;men:</translation>
    </message>
    <message>
        <source>All lines</source>
        <translation>Alle Linien</translation>
    </message>
    <message>
        <source>All lines, double frame</source>
        <translation>Alle Linien, doppelter Rahmen</translation>
    </message>
    <message>
        <source>Vertical lines</source>
        <translation>Senkrechte Linien</translation>
    </message>
    <message>
        <source>Horizontal lines</source>
        <translation>Waagerechte Linien</translation>
    </message>
    <message>
        <source>Frame</source>
        <translation>Rahmen</translation>
    </message>
    <message>
        <source>Frame and vertical lines</source>
        <translation>Rahmen und senkrechte Linien</translation>
    </message>
    <message>
        <source>Frame and horizontal lines</source>
        <translation>Rahmen und waagerechte Linien</translation>
    </message>
    <message>
        <source>Frame and header line</source>
        <translation>Rahmen und Linie unter der Kopfzeile</translation>
    </message>
    <message>
        <source>Border &amp;style:</source>
        <translation>Linien&amp;stil:</translation>
    </message>
    <message>
        <source>Solid</source>
        <translation>Durchgezogen</translation>
    </message>
    <message>
        <source>Dashes</source>
        <translation>Gestrichelt</translation>
    </message>
    <message>
        <source>Dots</source>
        <translation>Gepunktet</translation>
    </message>
    <message>
        <source>Dash dot</source>
        <translation>Strich-Punkt</translation>
    </message>
    <message>
        <source>Dash dot dot</source>
        <translation>Strich-Punkt-Punkt</translation>
    </message>
    <message>
        <source>Invisible</source>
        <translation>Unsichtbar</translation>
    </message>
    <message>
        <source>Solid, inside</source>
        <translation>Durchgezogen, innen</translation>
    </message>
    <message>
        <source>&amp;Fit to page width:</source>
        <translation>An Seitenbreite an&amp;passen:</translation>
    </message>
    <message>
        <source>Never</source>
        <translation>Nie</translation>
    </message>
    <message>
        <source>Grow only</source>
        <translation>Nur vergrößern</translation>
    </message>
    <message>
        <source>Shrink only</source>
        <translation>Nur verkleinern</translation>
    </message>
    <message>
        <source>Always</source>
        <translation>Immer</translation>
    </message>
    <message>
        <source>Natural size</source>
        <translation>Natürliche Größe</translation>
    </message>
    <message>
        <source>&amp;Orientation:</source>
        <translation>&amp;Ausrichtung:</translation>
    </message>
    <message>
        <source>Portrait</source>
        <translation>Hochformat</translation>
    </message>
    <message>
        <source>Landscape</source>
        <translation>Querformat</translation>
    </message>
    <message>
        <source>&amp;Header height:</source>
        <translation>Höhe der &amp;Kopfzeile:</translation>
    </message>
    <message>
        <source>&amp;Footer height:</source>
        <translation>Höhe der &amp;Fußzeile:</translation>
    </message>
    <message>
        <source>&amp;Title:</source>
        <translation>&amp;Titel:</translation>
    </message>
    <message>
        <source>Title position:</source>
        <translation>Position des Titels:</translation>
    </message>
    <message>
        <source>&amp;Date position:</source>
        <translation>Position des &amp;Datums:</translation>
    </message>
    <message>
        <source>Date f&amp;ormat:</source>
        <translation>Datumsf&amp;ormat:</translation>
    </message>
    <message>
        <source>T&amp;ime position:</source>
        <translation>Position der &amp;Uhrzeit:</translation>
    </message>
    <message>
        <source>Page nu&amp;mber position:</source>
        <translation>Position der Seiten&amp;nummer:</translation>
    </message>
    <message>
        <source>Page number p&amp;refix:</source>
        <translation>Text &amp;vor der Seitennummer:</translation>
    </message>
    <message>
        <source>Page count &amp;separator:</source>
        <translation>T&amp;renner zur Seitenanzahl:</translation>
    </message>
    <message>
        <source>Page number s&amp;uffix:</source>
        <translation>Text na&amp;ch der Seitennummer:</translation>
    </message>
    <message>
        <source>Title &amp;lines:</source>
        <translation>Titel&amp;zeilen:</translation>
    </message>
    <message>
        <source>Heights in tenths of a millimetre; date letters d, m, y.</source>
        <translation>Höhen in Zehntelmillimetern; Datumsbuchstaben d, m, y.</translation>
    </message>
    <message>
        <source>&amp;Table:</source>
        <translation>&amp;Tabelle:</translation>
    </message>
    <message>
        <source>&amp;Header and title:</source>
        <translation>&amp;Kopfzeile und Titel:</translation>
    </message>
    <message>
        <source>&amp;Footer:</source>
        <translation>&amp;Fußzeile:</translation>
    </message>
    <message>
        <source>Keep these print settings in a file, or use saved ones.</source>
        <translation>Diese Druckeinstellungen in einer Datei sichern oder gespeicherte verwenden.</translation>
    </message>
    <message>
        <source>&amp;Load settings</source>
        <translation>Einstellungen &amp;laden</translation>
    </message>
    <message>
        <source>&amp;Save settings</source>
        <translation>Einstellungen &amp;speichern</translation>
    </message>
    <message>
        <source>Font...</source>
        <translation>Schriftart...</translation>
    </message>
    <message>
        <source>Colour...</source>
        <translation>Farbe...</translation>
    </message>
    <message>
        <source>Could not read the settings file &quot;%1&quot;: %2</source>
        <translation>Die Einstellungsdatei „%1“ konnte nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>Could not save the settings to &quot;%1&quot;: %2</source>
        <translation>Die Einstellungen konnten nicht in „%1“ gespeichert werden: %2</translation>
    </message>
    <message>
        <source>The settings were saved to &quot;%1&quot;. %2</source>
        <translation>Die Einstellungen wurden in „%1“ gespeichert. %2</translation>
    </message>
    <message>
        <source>Print preview</source>
        <translation>Druckvorschau</translation>
    </message>
</context>
<context>
    <name>TUrlLauncher</name>
    <message>
        <source>Couldn&apos;t launch default browser</source>
        <translation>Der Standardbrowser konnte nicht gestartet werden</translation>
    </message>
</context>
<context>
    <name>TeasyPanel</name>
    <message>
        <source>Collapse all panels</source>
        <translation>Alle Bereiche einklappen</translation>
    </message>
    <message>
        <source>Maximize all panels</source>
        <translation>Alle Bereiche maximieren</translation>
    </message>
    <message>
        <source>Toggle titlebar</source>
        <translation>Titelleiste ein/aus</translation>
    </message>
    <message>
        <source>Hide all titlebars</source>
        <translation>Alle Titelleisten ausblenden</translation>
    </message>
    <message>
        <source>Shows all titlebars</source>
        <translation>Alle Titelleisten einblenden</translation>
    </message>
    <message>
        <source>Make all panels flat</source>
        <translation>Alle Bereiche flach</translation>
    </message>
    <message>
        <source>Make all panels raised</source>
        <translation>Alle Bereiche erhaben</translation>
    </message>
    <message>
        <source>Make all panels lowered+raised</source>
        <translation>Alle Bereiche vertieft und erhaben</translation>
    </message>
    <message>
        <source>Make all panels lowered</source>
        <translation>Alle Bereiche vertieft</translation>
    </message>
    <message>
        <source>Zoom %1</source>
        <translation>%1 zoomen</translation>
    </message>
    <message>
        <source>Shows this panel whole and collapses the others; again to undo</source>
        <translation>Zeigt diesen Bereich ganz und klappt die anderen ein; noch einmal zum Rückgängigmachen</translation>
    </message>
    <message>
        <source>Collapse or restore %1</source>
        <translation>%1 einklappen oder wiederherstellen</translation>
    </message>
    <message>
        <source>Collapse/Restore this panel&apos;s size</source>
        <translation>Diesen Bereich einklappen/wiederherstellen</translation>
    </message>
</context>
</TS>
