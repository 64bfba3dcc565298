<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es_ES">
<context>
    <name>Tralto</name>
    <message id="100">
        <source>English</source>
        <extracomment>Language dialog, shown once on the first start: the name of THIS file&apos;s own language, written in that language (the German file says &apos;Deutsch&apos;). It is the radio button that stands for this language in the dialog&apos;s list of languages. The list is a fixed 129 pixels wide: keep the name short. No &apos;&amp;&apos; accelerator.</extracomment>
        <translation>Español</translation>
    </message>
    <message id="102">
        <source>German</source>
        <extracomment>Main window, menu Options &gt; Language: the item that switches the program to German, i.e. the name of German written in this file&apos;s language. A check item, one per installed language file. No &apos;&amp;&apos; accelerator.</extracomment>
        <translation>Alemán</translation>
    </message>
    <message id="103">
        <source>English</source>
        <extracomment>Main window, menu Options &gt; Language: the item that switches to English, i.e. the name of English in this file&apos;s language. Also the caption of every language file whose code the program does not know, so it may appear more than once in that menu. No &apos;&amp;&apos; accelerator.</extracomment>
        <translation>Inglés</translation>
    </message>
    <message id="104">
        <source>Spanish</source>
        <extracomment>Main window, menu Options &gt; Language: the item that switches to Spanish, i.e. the name of Spanish in this file&apos;s language. No &apos;&amp;&apos; accelerator.</extracomment>
        <translation>Español</translation>
    </message>
    <message id="105">
        <source>Italian</source>
        <extracomment>Main window, menu Options &gt; Language: the item that switches to Italian, i.e. the name of Italian in this file&apos;s language. No &apos;&amp;&apos; accelerator.</extracomment>
        <translation>Italiano</translation>
    </message>
    <message id="106">
        <source>Portuguese</source>
        <extracomment>Main window, menu Options &gt; Language: the item that switches to Portuguese (Brazil), i.e. the name of Portuguese in this file&apos;s language. No &apos;&amp;&apos; accelerator.</extracomment>
        <translation>Portugués</translation>
    </message>
    <message id="500">
        <source>Cancel</source>
        <extracomment>Format dialog: caption of the push button that closes the dialog without storing anything. The button is 81 pixels wide.</extracomment>
        <translation>Cancelar</translation>
    </message>
    <message id="501">
        <source>OK</source>
        <extracomment>Format dialog: caption of the push button that stores the chosen number format and closes the dialog. The button is 73 pixels wide.</extracomment>
        <translation>Aceptar</translation>
    </message>
    <message id="503">
        <source>Defaults</source>
        <extracomment>Format dialog: caption of the push button that puts the default values back into the dialog (layout General, precision 5, digits 1); they are stored only with OK. The button is 73 pixels wide: one short word.</extracomment>
        <translation>Por defecto</translation>
    </message>
    <message id="516">
        <source>&amp;File</source>
        <extracomment>Both coordinate windows (3-D and 2-D): the first menu of the menu bar, the File menu; it holds only the Exit entry (517). &apos;&amp;&apos; marks the accelerator letter; it must differ from that of the Options menu (604), which shares the menu bar with it and with the fixed entry &apos;Info&apos;.</extracomment>
        <translation>&amp;Archivo</translation>
    </message>
    <message id="517">
        <source>E&amp;xit</source>
        <extracomment>Both coordinate windows: the last entry of the File menu (516); it ends the program. &apos;&amp;&apos; marks the accelerator letter.</extracomment>
        <translation>&amp;Salir</translation>
    </message>
    <message id="518">
        <source>&amp;Copy point</source>
        <extracomment>Both coordinate windows: the first entry of the File menu (516); it copies the point of the coordinate system the keyboard is in (x, y, z, or r, theta, phi, …) to the clipboard as one text. &apos;&amp;&apos; marks the accelerator letter; it must differ from that of 517.</extracomment>
        <translation>&amp;Copiar punto</translation>
    </message>
    <message id="521">
        <source>&amp;Language</source>
        <extracomment>Main window, menu Options (604): the entry that opens the submenu of the installed languages. &apos;&amp;&apos; marks the accelerator letter; the other entry of the Options menu is Format (605), which has none.</extracomment>
        <translation>&amp;Idioma</translation>
    </message>
    <message id="551">
        <source>Cartesian coordinates</source>
        <extracomment>Three-dimensional coordinate window: heading label of the Cartesian coordinates x, y, z. One line, left of the input fields (at most about 250 pixels).</extracomment>
        <translation>Coordenadas cartesianas</translation>
    </message>
    <message id="552">
        <source>Spherical coordinates</source>
        <extracomment>Three-dimensional coordinate window: heading label of the spherical coordinates r, theta, phi. One line, left of the input fields (at most about 250 pixels).</extracomment>
        <translation>Coordenadas esféricas</translation>
    </message>
    <message id="553">
        <source>Cylindrical coordinates</source>
        <extracomment>Three-dimensional coordinate window: heading label of the cylindrical coordinates r, phi, z. One line, left of the input fields (at most about 250 pixels).</extracomment>
        <translation>Coordenadas cilíndricas</translation>
    </message>
    <message id="554">
        <source>theta: angle to the z axis</source>
        <extracomment>Three-dimensional coordinate window: first radio button of the group under the spherical coordinates: the angle theta is measured from the z axis (0 at the pole). &apos;theta&apos; is the name of the angle whose symbol stands beside its field: keep the word &apos;theta&apos; as it is. The group is 245 pixels wide with a 10-point font: one short line (about 30 characters). Text 555 is the other button.</extracomment>
        <translation>theta: ángulo con el eje z</translation>
    </message>
    <message id="555">
        <source>theta: angle to the xy plane</source>
        <extracomment>Three-dimensional coordinate window: second radio button of the same group: the angle theta is measured from the xy plane (0 at the equator). Keep the word &apos;theta&apos; as it is. One short line (about 30 characters), worded like text 554.</extracomment>
        <translation>theta: ángulo con el plano xy</translation>
    </message>
    <message id="603">
        <source>Please choose your language:</source>
        <extracomment>Language dialog, shown once on the first start: the prompt asking the user to choose a language, written in THIS file&apos;s own language. The dialog shows the prompt of every installed language file, one line each, above the list of language names (text 100): keep it to one short line.</extracomment>
        <translation>Elija su idioma:</translation>
    </message>
    <message id="604">
        <source>&amp;Options</source>
        <extracomment>Main window menu bar: caption of the Options menu, which holds the entries Language (521) and Format (605). &apos;&amp;&apos; marks the accelerator letter; it must differ from that of the File menu (516) of the coordinate windows, which shares the menu bar, and from the fixed entry &apos;Info&apos;.</extracomment>
        <translation>&amp;Opciones</translation>
    </message>
    <message id="605">
        <source>Format</source>
        <extracomment>Main window, menu Options (604): the entry that opens the number format dialog. The same text is also the title of that dialog, so no &apos;&amp;&apos; accelerator and no trailing &apos;...&apos;.</extracomment>
        <translation>Formato</translation>
    </message>
    <message id="606">
        <source>Precision (max 18)</source>
        <extracomment>Format dialog: label before the small field for the precision, the number of significant digits shown (0 to 18). Keep the limit 18 in the text. One line, at most about 250 pixels.</extracomment>
        <translation>Precisión (máx. 18)</translation>
    </message>
    <message id="607">
        <source>Minimum digits in the exponent (0-4)</source>
        <extracomment>Format dialog: label before the small field for the digits value while the layout is General or Exponential (609, 610): the minimum number of exponent digits, 0 to 4. Keep the range &apos;(0-4)&apos;. One line, at most about 250 pixels.</extracomment>
        <translation>Mínimo de dígitos del exponente (0-4)</translation>
    </message>
    <message id="608">
        <source>Number of decimal places (0-18)</source>
        <extracomment>Format dialog: the same label while the layout is Fixed decimals or Number with thousands separator (611, 612): the number of decimal places, 0 to 18. Keep the range &apos;(0-18)&apos;. One line, at most about 250 pixels.</extracomment>
        <translation>Número de decimales (0-18)</translation>
    </message>
    <message id="609">
        <source>General</source>
        <extracomment>Format dialog: first item of the drop-down list of number layouts: the general layout (plain digits up to the chosen precision, otherwise scientific notation such as 3.1416E7). The list is 289 pixels wide.</extracomment>
        <translation>General</translation>
    </message>
    <message id="610">
        <source>Exponential</source>
        <extracomment>Format dialog: second item of the drop-down list of number layouts: exponential (scientific) layout with a signed exponent, such as 3.1416E+00.</extracomment>
        <translation>Exponencial</translation>
    </message>
    <message id="611">
        <source>Fixed decimals</source>
        <extracomment>Format dialog: third item of the drop-down list of number layouts: a fixed number of decimal places, such as 3.14.</extracomment>
        <translation>Decimales fijos</translation>
    </message>
    <message id="612">
        <source>Number with thousands separator</source>
        <extracomment>Format dialog: fourth item of the drop-down list of number layouts: fixed decimal places with the integer part grouped in threes by the thousands separator, such as 31,415,926.54. The list is 289 pixels wide.</extracomment>
        <translation>Número con separador de miles</translation>
    </message>
    <message id="620">
        <source>Version</source>
        <extracomment>Info dialog (menu Info): the word in front of the version number in the product block, as in &apos;Version 0.0.1&apos;. The block is 485 pixels wide. No &apos;&amp;&apos; accelerator.</extracomment>
        <translation>Versión</translation>
    </message>
    <message id="621">
        <source>Converts coordinates as you type.</source>
        <extracomment>Info dialog (menu Info): the first line under the product name, saying what the program does. The block is 485 pixels wide; a longer line wraps. No &apos;&amp;&apos; accelerator.</extracomment>
        <translation>Convierte coordenadas mientras escribe.</translation>
    </message>
    <message id="622">
        <source>Cartesian, spherical, cylindrical and polar coordinates.</source>
        <extracomment>Info dialog (menu Info): the second line under the product name, naming the kinds of coordinates the program converts. The block is 485 pixels wide; a longer line wraps. No &apos;&amp;&apos; accelerator.</extracomment>
        <translation>Coordenadas cartesianas, esféricas, cilíndricas y polares.</translation>
    </message>
</context>
</TS>
