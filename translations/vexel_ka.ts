<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ka">
<context>
    <name>AbbreviationCsv</name>
    <message>
        <source>Cannot read abbreviations: </source>
        <translation>შემოკლებები ვერ იკითხება: </translation>
    </message>
    <message>
        <source>Cannot read abbreviations: %1: %2</source>
        <translation>შემოკლებები ვერ იკითხება: %1: %2</translation>
    </message>
    <message>
        <source>Cannot read abbreviations: %1: larger than %2 MiB</source>
        <translation>შემოკლებები ვერ იკითხება: %1: %2 MiB-ზე დიდია</translation>
    </message>
    <message>
        <source>%1, line %2: %3</source>
        <translation>%1, სტრიქონი %2: %3</translation>
    </message>
    <message>
        <source>the script is &quot;%1&quot;, not ka or en</source>
        <translation>დამწერლობაა „%1“ და არა ka ან en</translation>
    </message>
    <message>
        <source>a word and its short form need 1 to %1 characters each</source>
        <translation>სიტყვასა და მის შემოკლებას თითოეულს 1-დან %1-მდე სიმბოლო სჭირდება</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is abbreviated on line %2 already</source>
        <translation>„%1“ უკვე შემოკლებულია სტრიქონ %2-ზე</translation>
    </message>
    <message>
        <source>more than %1 abbreviations</source>
        <translation>%1-ზე მეტი შემოკლება</translation>
    </message>
    <message>
        <source>and %1 more</source>
        <translation>და კიდევ %1</translation>
    </message>
</context>
<context>
    <name>AtomicFile</name>
    <message>
        <source>The file could not be written whole.</source>
        <translation>ფაილი მთლიანად ვერ ჩაიწერა.</translation>
    </message>
</context>
<context>
    <name>BoardPanel</name>
    <message>
        <source> Zoom </source>
        <translation> მასშტაბი </translation>
    </message>
    <message>
        <source>Zoom</source>
        <translation>მასშტაბი</translation>
    </message>
    <message>
        <source>Fill</source>
        <translation>შევსება</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>გასუფთავება</translation>
    </message>
    <message>
        <source>Light every LED of the frame</source>
        <translation>კადრის ყველა წერტილის ანთება</translation>
    </message>
    <message>
        <source>Switch off every LED of the frame</source>
        <translation>კადრის ყველა წერტილის ჩაქრობა</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>ასლი</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>ჩასმა</translation>
    </message>
    <message>
        <source>Board preview</source>
        <translation>ტაბლოს გადახედვა</translation>
    </message>
    <message>
        <source>Clipboard</source>
        <translation>ბუფერი</translation>
    </message>
    <message>
        <source>LED grid</source>
        <translation>წერტილების ბადე</translation>
    </message>
    <message>
        <source>Board</source>
        <translation>ტაბლო</translation>
    </message>
    <message>
        <source>Clipboard picture</source>
        <translation>ბუფერის სურათი</translation>
    </message>
    <message>
        <source>No selection</source>
        <translation>არაფერია მონიშნული</translation>
    </message>
    <message>
        <source>Buffer is empty</source>
        <translation>ბუფერი ცარიელია</translation>
    </message>
</context>
<context>
    <name>BusCommands</name>
    <message>
        <source>Journal...</source>
        <translation>ჟურნალი...</translation>
    </message>
    <message>
        <source>Every send and read, and what each bus carries</source>
        <translation>ყოველი გაგზავნა და წაკითხვა, და რა აქვს თითოეულ ავტობუსს</translation>
    </message>
    <message>
        <source>Fleet...</source>
        <translation>ავტოპარკი...</translation>
    </message>
    <message>
        <source>Every bus, what each sign carries, and which are behind</source>
        <translation>ყველა ავტობუსი, რა აქვს თითოეულ ტაბლოს და რომელი ჩამორჩება</translation>
    </message>
</context>
<context>
    <name>BusCsv</name>
    <message>
        <source>Cannot read the bus list: </source>
        <translation>ავტობუსების სია ვერ იკითხება: </translation>
    </message>
    <message>
        <source>Cannot read the bus list: %1: %2</source>
        <translation>ავტობუსების სია ვერ იკითხება: %1: %2</translation>
    </message>
    <message>
        <source>Cannot read the bus list: %1: larger than %2 MiB</source>
        <translation>ავტობუსების სია ვერ იკითხება: %1: %2 MiB-ზე დიდია</translation>
    </message>
</context>
<context>
    <name>BusList</name>
    <message>
        <source>The bus list in %1 cannot be read: %2</source>
        <translation>ავტობუსების სია %1-ში ვერ იკითხება: %2</translation>
    </message>
    <message>
        <source>The bus list on %1 cannot be read: %2</source>
        <translation>ავტობუსების სია %1-ზე ვერ იკითხება: %2</translation>
    </message>
</context>
<context>
    <name>ColorBox</name>
    <message>
        <source>Black</source>
        <translation>შავი</translation>
    </message>
    <message>
        <source>Maroon</source>
        <translation>მუქი წითელი</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>მწვანე</translation>
    </message>
    <message>
        <source>Olive</source>
        <translation>ზეთისხილისფერი</translation>
    </message>
    <message>
        <source>Navy</source>
        <translation>მუქი ლურჯი</translation>
    </message>
    <message>
        <source>Purple</source>
        <translation>იისფერი</translation>
    </message>
    <message>
        <source>Teal</source>
        <translation>მუქი ცისფერი</translation>
    </message>
    <message>
        <source>Grey</source>
        <translation>რუხი</translation>
    </message>
    <message>
        <source>Silver</source>
        <translation>ვერცხლისფერი</translation>
    </message>
    <message>
        <source>Red</source>
        <translation>წითელი</translation>
    </message>
    <message>
        <source>Lime</source>
        <translation>ღია მწვანე</translation>
    </message>
    <message>
        <source>Yellow</source>
        <translation>ყვითელი</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>ლურჯი</translation>
    </message>
    <message>
        <source>Fuchsia</source>
        <translation>ფუქსია</translation>
    </message>
    <message>
        <source>Aqua</source>
        <translation>ცისფერი</translation>
    </message>
    <message>
        <source>White</source>
        <translation>თეთრი</translation>
    </message>
    <message>
        <source>Money Green</source>
        <translation>ფერმკრთალი მწვანე</translation>
    </message>
    <message>
        <source>Sky Blue</source>
        <translation>ცის ლურჯი</translation>
    </message>
    <message>
        <source>Cream</source>
        <translation>კრემისფერი</translation>
    </message>
    <message>
        <source>Medium Grey</source>
        <translation>საშუალო რუხი</translation>
    </message>
    <message>
        <source>Button Face</source>
        <translation>ღილაკის ფონი</translation>
    </message>
    <message>
        <source>Button Highlight</source>
        <translation>ღილაკის ნათება</translation>
    </message>
    <message>
        <source>Button Shadow</source>
        <translation>ღილაკის ჩრდილი</translation>
    </message>
    <message>
        <source>Button Text</source>
        <translation>ღილაკის ტექსტი</translation>
    </message>
    <message>
        <source>Window Background</source>
        <translation>ფანჯრის ფონი</translation>
    </message>
    <message>
        <source>Window Text</source>
        <translation>ფანჯრის ტექსტი</translation>
    </message>
    <message>
        <source>Highlight</source>
        <translation>მონიშვნა</translation>
    </message>
    <message>
        <source>Highlight Text</source>
        <translation>მონიშნული ტექსტი</translation>
    </message>
    <message>
        <source>Grey Text</source>
        <translation>რუხი ტექსტი</translation>
    </message>
    <message>
        <source>Info Background</source>
        <translation>მინიშნების ფონი</translation>
    </message>
    <message>
        <source>Info Text</source>
        <translation>მინიშნების ტექსტი</translation>
    </message>
    <message>
        <source>3D Dark Shadow</source>
        <translation>მუქი ჩრდილი</translation>
    </message>
</context>
<context>
    <name>CsvReader</name>
    <message>
        <source>%1, line %2: %3</source>
        <translation>%1, სტრიქონი %2: %3</translation>
    </message>
    <message>
        <source>%1: cannot be read</source>
        <translation>%1: ვერ იკითხება</translation>
    </message>
    <message>
        <source>the text is not UTF-8</source>
        <translation>ტექსტი UTF-8 არ არის</translation>
    </message>
    <message>
        <source>a quoted field must end at a comma or at the end of the line</source>
        <translation>ბრჭყალებში ჩასმული ველი მძიმით ან სტრიქონის ბოლოთი უნდა მთავრდებოდეს</translation>
    </message>
    <message>
        <source>a quoted field is not closed before the end of the file</source>
        <translation>ბრჭყალებში ჩასმული ველი ფაილის ბოლომდე არ იხურება</translation>
    </message>
    <message>
        <source>the record is longer than 1 MiB</source>
        <translation>ჩანაწერი 1 MiB-ზე გრძელია</translation>
    </message>
    <message>
        <source>%1: the file is empty; it should begin with a line naming its columns</source>
        <translation>%1: ფაილი ცარიელია; ის სვეტების სახელების სტრიქონით უნდა იწყებოდეს</translation>
    </message>
    <message>
        <source>the column &quot;%1&quot; is named twice</source>
        <translation>სვეტი „%1“ ორჯერ არის დასახელებული</translation>
    </message>
    <message>
        <source>Cannot write &quot;%1&quot;: %2</source>
        <translation>„%1“ ვერ ჩაიწერა: %2</translation>
    </message>
</context>
<context>
    <name>DataMessage</name>
    <message>
        <source>data block %1 bytes</source>
        <translation>მონაცემთა ბლოკი %1 ბაიტი</translation>
    </message>
    <message>
        <source>data block %1 bytes, checksum %2</source>
        <translation>მონაცემთა ბლოკი %1 ბაიტი, საკონტროლო ჯამი %2</translation>
    </message>
    <message>
        <source>whole message %1 bytes</source>
        <translation>მთელი შეტყობინება %1 ბაიტი</translation>
    </message>
</context>
<context>
    <name>DestinationDiff</name>
    <message>
        <source>changed by hand since the import of %1</source>
        <translation>შეცვლილია ხელით %1-ის იმპორტის შემდეგ</translation>
    </message>
    <message>
        <source> and %1 more</source>
        <translation> და კიდევ %1</translation>
    </message>
    <message>
        <source>destinations of the set not in this feed that are not its to remove (another agency&apos;s, of a route this feed lists and does not run, or made by hand or from a route list), which stay (%1): %2</source>
        <translation>ნაკრების დანიშნულებები, რომლებიც ამ GTFS მონაცემებში არ არის, მაგრამ მისი წასაშლელი არ არის (სხვა გადამზიდავის, მარშრუტის, რომელსაც ეს მონაცემები ასახელებს და არ ატარებს, ან ხელით ან მარშრუტების სიიდან შექმნილი), რჩება (%1): %2</translation>
    </message>
</context>
<context>
    <name>DestinationSet</name>
    <message>
        <source>Cannot read destination set &quot;%1&quot;: </source>
        <translation>დანიშნულებების ნაკრები „%1“ ვერ იკითხება: </translation>
    </message>
    <message>
        <source>it is not a destination set</source>
        <translation>ეს არ არის დანიშნულებების ნაკრები</translation>
    </message>
    <message>
        <source>the file is empty; it is not a destination set</source>
        <translation>ფაილი ცარიელია; ეს არ არის დანიშნულებების ნაკრები</translation>
    </message>
    <message>
        <source> (not an SQLite database)</source>
        <translation> (არ არის SQLite მონაცემთა ბაზა)</translation>
    </message>
    <message>
        <source>it is cut short: %1 bytes, less than an SQLite header</source>
        <translation>ფაილი შეკვეცილია: %1 ბაიტი, SQLite-ის სათაურზე ნაკლები</translation>
    </message>
    <message>
        <source> (an SQLite database of another program)</source>
        <translation> (სხვა პროგრამის SQLite მონაცემთა ბაზა)</translation>
    </message>
    <message>
        <source>it is damaged: its header gives a page size of %1</source>
        <translation>ფაილი დაზიანებულია: მისი სათაური გვერდის ზომად %1-ს ასახელებს</translation>
    </message>
    <message>
        <source>it is cut short: %1 bytes of %2</source>
        <translation>ფაილი შეკვეცილია: %1 ბაიტი %2-დან</translation>
    </message>
    <message>
        <source>it is cut short: %1 bytes are not whole pages of %2 bytes</source>
        <translation>ფაილი შეკვეცილია: %1 ბაიტი არ შეადგენს %2-ბაიტიან მთელ გვერდებს</translation>
    </message>
    <message>
        <source>it was written by a newer Vexel Image (set version %1; this one reads up to %2)</source>
        <translation>ის Vexel Image-ის უფრო ახალმა ვერსიამ ჩაწერა (ნაკრების ვერსია %1; ეს ვერსია კითხულობს %2-მდე)</translation>
    </message>
    <message>
        <source> (it has no set version)</source>
        <translation> (მას ნაკრების ვერსია არ აქვს)</translation>
    </message>
    <message>
        <source>it is open for editing in %1 (process %2 on %3)</source>
        <translation>ის რედაქტირებისთვის გახსნილია %1-ში (პროცესი %2, %3)</translation>
    </message>
    <message>
        <source>another program</source>
        <translation>სხვა პროგრამა</translation>
    </message>
    <message>
        <source>this machine</source>
        <translation>ეს კომპიუტერი</translation>
    </message>
    <message>
        <source>it is open for editing elsewhere (its lock file &quot;%1&quot; is there)</source>
        <translation>ის რედაქტირებისთვის სხვაგან არის გახსნილი (მისი დაბლოკვის ფაილი „%1“ არსებობს)</translation>
    </message>
    <message>
        <source>; opened read-only</source>
        <translation>; გაიხსნა მხოლოდ წასაკითხად</translation>
    </message>
    <message>
        <source>the database has no set &quot;%1&quot;</source>
        <translation>მონაცემთა ბაზაში ნაკრები „%1“ არ არის</translation>
    </message>
    <message>
        <source>permission denied: the database role %1 has no right to this set (vexel db grant gives one)</source>
        <translation>წვდომა აკრძალულია: მონაცემთა ბაზის როლს %1 ამ ნაკრებზე უფლება არ აქვს (უფლებას vexel db grant იძლევა)</translation>
    </message>
    <message>
        <source>the database user %1 may not change this set; opened read-only</source>
        <translation>მონაცემთა ბაზის მომხმარებელს %1 ამ ნაკრების შეცვლა არ შეუძლია; გაიხსნა მხოლოდ წასაკითხად</translation>
    </message>
    <message>
        <source>it is of set version %1, older than this Vexel Image&apos;s %2, and %3; open it once for editing, as a user who may change it (a member of vexel_owner), to bring it up</source>
        <translation>მისი ნაკრების ვერსიაა %1, ამ Vexel Image-ის %2-ზე ძველი, და %3; განსაახლებლად ერთხელ გახსენით რედაქტირებისთვის, როგორც მომხმარებელმა, რომელსაც მისი შეცვლა შეუძლია (vexel_owner-ის წევრმა)</translation>
    </message>
    <message>
        <source>it was opened read-only</source>
        <translation>ის მხოლოდ წასაკითხად გაიხსნა</translation>
    </message>
    <message>
        <source>there is no such file</source>
        <translation>ასეთი ფაილი არ არსებობს</translation>
    </message>
    <message>
        <source>it is not a regular file</source>
        <translation>ეს ჩვეულებრივი ფაილი არ არის</translation>
    </message>
    <message>
        <source>the file is read-only for you</source>
        <translation>ფაილი თქვენთვის მხოლოდ წასაკითხია</translation>
    </message>
    <message>
        <source>its lock file &quot;%1&quot; cannot be made</source>
        <translation>მისი დაბლოკვის ფაილი „%1“ ვერ იქმნება</translation>
    </message>
    <message>
        <source>; it cannot be changed now</source>
        <translation>; ახლა მისი შეცვლა შეუძლებელია</translation>
    </message>
    <message>
        <source>%1 was changed elsewhere</source>
        <translation>%1 სხვაგან შეიცვალა</translation>
    </message>
    <message>
        <source>%1 was changed from %2 at %3</source>
        <translation>%1 შეიცვალა %2-დან %3-ზე</translation>
    </message>
    <message>
        <source>another station</source>
        <translation>სხვა სამუშაო ადგილი</translation>
    </message>
    <message>
        <source>an unknown time</source>
        <translation>უცნობ დროს</translation>
    </message>
    <message>
        <source>Cannot open destination set &quot;%1&quot;: </source>
        <translation>დანიშნულებების ნაკრები „%1“ ვერ იხსნება: </translation>
    </message>
    <message>
        <source>Cannot create destination set: </source>
        <translation>დანიშნულებების ნაკრები ვერ იქმნება: </translation>
    </message>
    <message>
        <source>Cannot create destination set &quot;%1&quot;: </source>
        <translation>დანიშნულებების ნაკრები „%1“ ვერ იქმნება: </translation>
    </message>
    <message>
        <source>Cannot open destination set: </source>
        <translation>დანიშნულებების ნაკრები ვერ იხსნება: </translation>
    </message>
    <message>
        <source>Cannot create destination set%1: </source>
        <translation>დანიშნულებების ნაკრები%1 ვერ იქმნება: </translation>
    </message>
    <message>
        <source>Cannot change destination set &quot;%1&quot;: </source>
        <translation>დანიშნულებების ნაკრები „%1“ ვერ იცვლება: </translation>
    </message>
    <message>
        <source>it is open read-only</source>
        <translation>ის მხოლოდ წასაკითხად არის გახსნილი</translation>
    </message>
    <message>
        <source>the database user %1 may not %2 in this set (vexel db grant gives an edit right); nothing was written</source>
        <translation>მონაცემთა ბაზის მომხმარებელს %1 ამ ნაკრებში ეკრძალება %2 (რედაქტირების უფლებას vexel db grant იძლევა); არაფერი ჩაწერილა</translation>
    </message>
    <message>
        <source>keep a version</source>
        <translation>ვერსიის შენახვა</translation>
    </message>
    <message>
        <source>change anything</source>
        <translation>ცვლილებების შეტანა</translation>
    </message>
    <message>
        <source>it cannot be brought up from set version %1: %2</source>
        <translation>ნაკრების ვერსიიდან %1 მისი განახლება ვერ ხერხდება: %2</translation>
    </message>
    <message>
        <source>it is damaged: %1</source>
        <translation>ის დაზიანებულია: %1</translation>
    </message>
    <message>
        <source>its header changed while it was read</source>
        <translation>მისი სათაური წაკითხვისას შეიცვალა</translation>
    </message>
    <message>
        <source>the database has a set &quot;%1&quot; already</source>
        <translation>მონაცემთა ბაზაში ნაკრები „%1“ უკვე არსებობს</translation>
    </message>
    <message>
        <source>its older version cannot be read without a copy, and the copy failed</source>
        <translation>მისი ძველი ვერსია ასლის გარეშე ვერ იკითხება, ასლის შექმნა კი ვერ მოხერხდა</translation>
    </message>
    <message>
        <source>the sign %1 is named twice</source>
        <translation>ტაბლო %1 ორჯერ არის დასახელებული</translation>
    </message>
    <message>
        <source>there is no destination %1</source>
        <translation>დანიშნულება %1 არ არსებობს</translation>
    </message>
    <message>
        <source>there is no sign %1</source>
        <translation>ტაბლო %1 არ არსებობს</translation>
    </message>
    <message>
        <source>the code %1 is taken</source>
        <translation>კოდი %1 უკვე დაკავებულია</translation>
    </message>
    <message>
        <source>the code %1 comes twice</source>
        <translation>კოდი %1 ორჯერ გვხვდება</translation>
    </message>
    <message>
        <source>it has no version %1</source>
        <translation>მას ვერსია %1 არ აქვს</translation>
    </message>
    <message>
        <source>the image of %1 on %2: %3</source>
        <translation>%1-ის გამოსახულება ტაბლოზე %2: %3</translation>
    </message>
    <message>
        <source>the sign %1 is there already</source>
        <translation>ტაბლო %1 უკვე არსებობს</translation>
    </message>
    <message>
        <source>The sign %1</source>
        <translation>ტაბლო %1</translation>
    </message>
    <message>
        <source>The image of %1 on %2</source>
        <translation>%1-ის გამოსახულება ტაბლოზე %2</translation>
    </message>
</context>
<context>
    <name>DestinationsCommands</name>
    <message>
        <source>Destinations...</source>
        <translation>დანიშნულებები...</translation>
    </message>
    <message>
        <source>A depot&apos;s destinations, lettered on every sign of the bus</source>
        <translation>დეპოს დანიშნულებები, დაწერილი ავტობუსის ყველა ტაბლოზე</translation>
    </message>
    <message>
        <source>Destinations</source>
        <translation>დანიშნულებები</translation>
    </message>
    <message>
        <source>Stored in the destination set as made by hand</source>
        <translation>შენახულია ნაკრებში, როგორც ხელით შექმნილი</translation>
    </message>
</context>
<context>
    <name>DestinationsModel</name>
    <message>
        <source>: made by hand from texts this destination no longer has</source>
        <translation>: ხელით შექმნილია ტექსტებიდან, რომლებიც ამ დანიშნულებას აღარ აქვს</translation>
    </message>
    <message>
        <source>%1 on %2: %3</source>
        <translation>%1, ტაბლო %2: %3</translation>
    </message>
    <message>
        <source>The legibility audit by the rules &quot;%1&quot;</source>
        <translation>წაკითხვადობის შემოწმება წესებით „%1“</translation>
    </message>
    <message>
        <source>; of the signs:
</source>
        <translation>; ტაბლოების შესახებ:
</translation>
    </message>
    <message>
        <source>Code</source>
        <translation>კოდი</translation>
    </message>
    <message>
        <source>Route</source>
        <translation>მარშრუტი</translation>
    </message>
    <message>
        <source>Destination (ka)</source>
        <translation>დანიშნულება (ka)</translation>
    </message>
    <message>
        <source>Destination (en)</source>
        <translation>დანიშნულება (en)</translation>
    </message>
    <message>
        <source>Via (ka)</source>
        <translation>გავლით (ka)</translation>
    </message>
    <message>
        <source>Via (en)</source>
        <translation>გავლით (en)</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>შენიშვნა</translation>
    </message>
    <message>
        <source>In use</source>
        <translation>გამოიყენება</translation>
    </message>
    <message>
        <source>Legibility</source>
        <translation>წაკითხვადობა</translation>
    </message>
    <message>
        <source>Nothing found by the rules &quot;%1&quot;</source>
        <translation>წესებით „%1“ არაფერი მოიძებნა</translation>
    </message>
    <message>
        <source>By the rules &quot;%1&quot;:
%2</source>
        <translation>წესებით „%1“:
%2</translation>
    </message>
    <message>
        <source>no legibility findings</source>
        <translation>წაკითხვადობის შენიშვნები არ არის</translation>
    </message>
    <message>
        <source>%1 legibility findings</source>
        <translation>წაკითხვადობის %1 შენიშვნა</translation>
    </message>
    <message>
        <source>Service</source>
        <translation>მომსახურება</translation>
    </message>
    <message>
        <source>in use</source>
        <translation>გამოიყენება</translation>
    </message>
    <message>
        <source>not in use</source>
        <translation>არ გამოიყენება</translation>
    </message>
    <message>
        <source>Suggested by romanization: edit it, or press Enter on it to accept it</source>
        <translation>შემოთავაზებულია ლათინურად გადაწერით: შეასწორეთ, ან მისაღებად დააჭირეთ Enter-ს</translation>
    </message>
</context>
<context>
    <name>DestinationsSession</name>
    <message>
        <source>the server does not answer</source>
        <translation>სერვერი არ პასუხობს</translation>
    </message>
    <message>
        <source>Not connected to the server again: %1</source>
        <translation>სერვერთან ხელახლა დაკავშირება ვერ მოხერხდა: %1</translation>
    </message>
    <message>
        <source>%1 does not fit the %2 sign, so there is no image to start from: %3</source>
        <translation>%1 ტაბლოზე „%2“ არ ეტევა, ამიტომ საწყისი გამოსახულება არ არსებობს: %3</translation>
    </message>
    <message>
        <source>its folder cannot be made</source>
        <translation>მისი საქაღალდე ვერ იქმნება</translation>
    </message>
    <message>
        <source>the set has no destination %1</source>
        <translation>ნაკრებს დანიშნულება %1 არ აქვს</translation>
    </message>
    <message>
        <source>The set has not been released yet: release the set first.</source>
        <translation>ნაკრები ჯერ არ გამოშვებულა: ჯერ ნაკრები გამოუშვით.</translation>
    </message>
    <message>
        <source>No release of the set counts yet: version %1 counts from %2.</source>
        <translation>ნაკრების არც ერთი გამოშვება ჯერ არ მოქმედებს: ვერსია %1 მოქმედებს %2-დან.</translation>
    </message>
    <message>
        <source>The folder version %1 was released to is not known: release the set again.</source>
        <translation>საქაღალდე, რომელშიც ვერსია %1 გამოვიდა, უცნობია: ნაკრები ხელახლა გამოუშვით.</translation>
    </message>
    <message>
        <source>the %1 sign was not released (%2 is missing): release the set first</source>
        <translation>ტაბლო „%1“ არ გამოშვებულა (%2 არ არსებობს): ჯერ ნაკრები გამოუშვით</translation>
    </message>
</context>
<context>
    <name>DestinationsWindow</name>
    <message>
        <source>Remove the image made by hand</source>
        <translation>ხელით შექმნილი გამოსახულების წაშლა</translation>
    </message>
    <message>
        <source>The sign shows the selected destination lettered from its texts again</source>
        <translation>ტაბლო კვლავ აჩვენებს არჩეულ დანიშნულებას მისი ტექსტებიდან დაწერილს</translation>
    </message>
    <message>
        <source>The set is open read-only: %1</source>
        <translation>ნაკრები გახსნილია მხოლოდ წასაკითხად: %1</translation>
    </message>
    <message>
        <source>Choose a destination first</source>
        <translation>ჯერ აირჩიეთ დანიშნულება</translation>
    </message>
    <message>
        <source>This sign&apos;s image is lettered, not made by hand</source>
        <translation>ამ ტაბლოს გამოსახულება ტექსტიდანაა დაწერილი და არა ხელით შექმნილი</translation>
    </message>
    <message>
        <source>Remove the image of %1 made by hand for the %2 sign? The sign is lettered from the destination&apos;s texts again.</source>
        <translation>წავშალოთ %1-ის ხელით შექმნილი გამოსახულება ტაბლოსთვის „%2“? ტაბლო კვლავ დანიშნულების ტექსტებიდან დაიწერება.</translation>
    </message>
    <message>
        <source>Nothing was released.</source>
        <translation>არაფერი გამოშვებულა.</translation>
    </message>
    <message>
        <source>%1
in %2</source>
        <translation>%1
%2-ში</translation>
    </message>
    <message>
        <source>Destinations</source>
        <translation>დანიშნულებები</translation>
    </message>
    <message>
        <source>No set open</source>
        <translation>ნაკრები არ არის გახსნილი</translation>
    </message>
    <message>
        <source>Open set...</source>
        <translation>ნაკრების გახსნა...</translation>
    </message>
    <message>
        <source>Open a destination set (.vxset)</source>
        <translation>დანიშნულებების ნაკრების გახსნა (.vxset)</translation>
    </message>
    <message>
        <source>Filter</source>
        <translation>ფილტრი</translation>
    </message>
    <message>
        <source>Filter destinations</source>
        <translation>დანიშნულებების გაფილტვრა</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>დამატება</translation>
    </message>
    <message>
        <source>A new destination</source>
        <translation>ახალი დანიშნულება</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>წაშლა</translation>
    </message>
    <message>
        <source>Remove the selected destinations</source>
        <translation>არჩეული დანიშნულებების წაშლა</translation>
    </message>
    <message>
        <source>Suggest Latin</source>
        <translation>ლათინურის შეთავაზება</translation>
    </message>
    <message>
        <source>Fill an empty Latin name from the Georgian one, as a suggestion</source>
        <translation>ცარიელი ლათინური სახელის შევსება ქართულიდან, შეთავაზების სახით</translation>
    </message>
    <message>
        <source>Sign:</source>
        <translation>ტაბლო:</translation>
    </message>
    <message>
        <source>Sign for Edit by hand and Send</source>
        <translation>ტაბლო ხელით რედაქტირებისა და გაგზავნისთვის</translation>
    </message>
    <message>
        <source>Edit by hand</source>
        <translation>ხელით რედაქტირება</translation>
    </message>
    <message>
        <source>Open the selected destination&apos;s image for the sign in the editor</source>
        <translation>არჩეული დანიშნულების გამოსახულების გახსნა რედაქტორში ამ ტაბლოსთვის</translation>
    </message>
    <message>
        <source>Import CSV...</source>
        <translation>CSV-ის იმპორტი...</translation>
    </message>
    <message>
        <source>Merge a route list into the set by code</source>
        <translation>მარშრუტების სიის შერწყმა ნაკრებთან კოდის მიხედვით</translation>
    </message>
    <message>
        <source>Export CSV...</source>
        <translation>CSV-ად ექსპორტი...</translation>
    </message>
    <message>
        <source>Write the destinations as a route list</source>
        <translation>დანიშნულებების ჩაწერა მარშრუტების სიად</translation>
    </message>
    <message>
        <source>Release...</source>
        <translation>გამოშვება...</translation>
    </message>
    <message>
        <source>Write every sign&apos;s images, proof sheets and release.txt to a folder</source>
        <translation>ყველა ტაბლოს გამოსახულებების, საკონტროლო ფურცლებისა და release.txt-ის ჩაწერა საქაღალდეში</translation>
    </message>
    <message>
        <source>Versions...</source>
        <translation>ვერსიები...</translation>
    </message>
    <message>
        <source>Compare the set&apos;s releases, restore one or write it again</source>
        <translation>ნაკრების გამოშვებების შედარება, ერთის აღდგენა ან ხელახლა ჩაწერა</translation>
    </message>
    <message>
        <source>Word lists...</source>
        <translation>სიტყვების სიები...</translation>
    </message>
    <message>
        <source>Edit the set&apos;s abbreviations, words kept in capitals and via separators</source>
        <translation>ნაკრების შემოკლებების, მთავრული ასოებით დატოვებული სიტყვებისა და „გავლით“ გამყოფების რედაქტირება</translation>
    </message>
    <message>
        <source>Send...</source>
        <translation>გაგზავნა...</translation>
    </message>
    <message>
        <source>Send the selected destinations&apos; released images of the sign to the board</source>
        <translation>არჩეული დანიშნულებების გამოშვებული გამოსახულებების გაგზავნა ტაბლოზე</translation>
    </message>
    <message>
        <source>Release progress</source>
        <translation>გამოშვების მიმდინარეობა</translation>
    </message>
    <message>
        <source>Changed elsewhere, read again at %1: %2</source>
        <translation>შეიცვალა სხვაგან, ხელახლა წაკითხულია %1-ზე: %2</translation>
    </message>
    <message>
        <source>Set: %1</source>
        <translation>ნაკრები: %1</translation>
    </message>
    <message>
        <source>Destinations - %1</source>
        <translation>დანიშნულებები - %1</translation>
    </message>
    <message>
        <source>Read-only: %1</source>
        <translation>მხოლოდ წასაკითხად: %1</translation>
    </message>
    <message>
        <source>%1 sign</source>
        <translation>ტაბლო „%1“</translation>
    </message>
    <message>
        <source>Not connected to the server: %1. The rows are as last read and may be out of date; the next action connects again.</source>
        <translation>სერვერთან კავშირი არ არის: %1. მწკრივები ბოლოს წაკითხულის მიხედვითაა და შეიძლება მოძველებული იყოს; შემდეგი მოქმედება ხელახლა დაუკავშირდება.</translation>
    </message>
    <message>
        <source> (not connected)</source>
        <translation> (არ არის დაკავშირებული)</translation>
    </message>
    <message>
        <source>%1 destinations, every one fits every sign</source>
        <translation>%1 დანიშნულება, ყველა ეტევა ყველა ტაბლოზე</translation>
    </message>
    <message>
        <source>%1 destinations, %2 with a sign they do not fit</source>
        <translation>%1 დანიშნულება, %2 არ ეტევა რომელიმე ტაბლოზე</translation>
    </message>
    <message>
        <source>&lt;b&gt;%1&lt;/b&gt; %2×%3&lt;br&gt;%4</source>
        <translation>&lt;b&gt;%1&lt;/b&gt; %2×%3&lt;br&gt;%4</translation>
    </message>
    <message>
        <source>%1 on %2</source>
        <translation>%1 — %2</translation>
    </message>
    <message>
        <source>Remove %1 from the set?</source>
        <translation>წავშალოთ %1 ნაკრებიდან?</translation>
    </message>
    <message>
        <source>Nothing to suggest: the Latin names are there, or there is no Georgian name</source>
        <translation>შესათავაზებელი არაფერია: ლათინური სახელები უკვე არის, ან ქართული სახელი არ არის</translation>
    </message>
    <message>
        <source>%1 added, %2 changed, %3 unchanged</source>
        <translation>დაემატა %1, შეიცვალა %2, უცვლელია %3</translation>
    </message>
    <message>
        <source>

Kept as changed by hand since the last import: </source>
        <translation>

დატოვებულია, რადგან ბოლო იმპორტის შემდეგ ხელით შეიცვალა: </translation>
    </message>
    <message>
        <source>

Not imported:
</source>
        <translation>

არ შემოვიდა:
</translation>
    </message>
    <message>
        <source>
The list: %1</source>
        <translation>
სია: %1</translation>
    </message>
    <message>
        <source>

Left out, they do not fit:
</source>
        <translation>

გამოტოვებულია, არ ეტევა:
</translation>
    </message>
    <message>
        <source>Destination sets|*.vxset</source>
        <translation>დანიშნულებების ნაკრებები|*.vxset</translation>
    </message>
    <message>
        <source>Route lists|*.csv</source>
        <translation>მარშრუტების სიები|*.csv</translation>
    </message>
    <message>
        <source>%1 on %2: %3</source>
        <translation>%1 ტაბლოზე %2: %3</translation>
    </message>
</context>
<context>
    <name>EditCommands</name>
    <message>
        <source>Undo</source>
        <translation>დაბრუნება</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>გამეორება</translation>
    </message>
    <message>
        <source> tool</source>
        <translation> ხელსაწყო</translation>
    </message>
    <message>
        <source>Unlit</source>
        <translation>ჩამქრალი</translation>
    </message>
    <message>
        <source>Drawing tools draw unlit LEDs (X swaps)</source>
        <translation>ხატვის ხელსაწყოები ხატავს ჩამქრალ წერტილებს (X ცვლის)</translation>
    </message>
    <message>
        <source>Draw unlit LEDs</source>
        <translation>ჩამქრალი წერტილების ხატვა</translation>
    </message>
    <message>
        <source>Text...</source>
        <translation>ტექსტი...</translation>
    </message>
    <message>
        <source>Letter a text with an LED font (T)</source>
        <translation>ტექსტის დაწერა LED შრიფტით (T)</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>ტექსტი</translation>
    </message>
    <message>
        <source>Text tool</source>
        <translation>ტექსტის ხელსაწყო</translation>
    </message>
    <message>
        <source>Cursor</source>
        <translation>კურსორი</translation>
    </message>
    <message>
        <source>Place the cursor that Paste uses (C)</source>
        <translation>კურსორის დასმა, რომელსაც ჩასმა იყენებს (C)</translation>
    </message>
    <message>
        <source>Pencil</source>
        <translation>ფანქარი</translation>
    </message>
    <message>
        <source>Light LEDs by dragging (P)</source>
        <translation>წერტილების ანთება გადათრევით (P)</translation>
    </message>
    <message>
        <source>Eraser</source>
        <translation>საშლელი</translation>
    </message>
    <message>
        <source>Switch LEDs off by dragging (E)</source>
        <translation>წერტილების ჩაქრობა გადათრევით (E)</translation>
    </message>
    <message>
        <source>Rectangle</source>
        <translation>მართკუთხედი</translation>
    </message>
    <message>
        <source>Fill a rectangle with lit LEDs (R)</source>
        <translation>მართკუთხედის შევსება ანთებული წერტილებით (R)</translation>
    </message>
    <message>
        <source>Select</source>
        <translation>მონიშვნა</translation>
    </message>
    <message>
        <source>Select a rectangle for Copy, Paste and new frames (S)</source>
        <translation>მართკუთხედის მონიშვნა ასლის, ჩასმისა და ახალი კადრისთვის (S)</translation>
    </message>
    <message>
        <source>Line</source>
        <translation>ხაზი</translation>
    </message>
    <message>
        <source>Draw a straight line of LEDs (L)</source>
        <translation>წერტილების სწორი ხაზის ხატვა (L)</translation>
    </message>
    <message>
        <source>Flood fill</source>
        <translation>ზონის შევსება</translation>
    </message>
    <message>
        <source>Fill the area of equal LEDs under the pointer (F)</source>
        <translation>მაჩვენებლის ქვეშ ერთნაირი წერტილების ზონის შევსება (F)</translation>
    </message>
    <message>
        <source>Move</source>
        <translation>გადატანა</translation>
    </message>
    <message>
        <source>Drag the selected LEDs; arrow keys nudge them (M)</source>
        <translation>მონიშნული წერტილების გადათრევა; ისრებით ოდნავ გადაიწევს (M)</translation>
    </message>
    <message>
        <source>edit</source>
        <translation>რედაქტირება</translation>
    </message>
    <message>
        <source>paint</source>
        <translation>ანთება</translation>
    </message>
    <message>
        <source>erase</source>
        <translation>ჩაქრობა</translation>
    </message>
    <message>
        <source>fill rectangle</source>
        <translation>მართკუთხედის შევსება</translation>
    </message>
    <message>
        <source>paste</source>
        <translation>ჩასმა</translation>
    </message>
    <message>
        <source>fill</source>
        <translation>შევსება</translation>
    </message>
    <message>
        <source>clear</source>
        <translation>გასუფთავება</translation>
    </message>
    <message>
        <source>remove frame</source>
        <translation>კადრის წაშლა</translation>
    </message>
    <message>
        <source>entry effect</source>
        <translation>შესვლის ეფექტი</translation>
    </message>
    <message>
        <source>exit effect</source>
        <translation>გასვლის ეფექტი</translation>
    </message>
    <message>
        <source>duration</source>
        <translation>ხანგრძლივობა</translation>
    </message>
    <message>
        <source>flood fill</source>
        <translation>ზონის შევსება</translation>
    </message>
    <message>
        <source>line</source>
        <translation>ხაზი</translation>
    </message>
    <message>
        <source>move</source>
        <translation>გადატანა</translation>
    </message>
    <message>
        <source>add frame</source>
        <translation>კადრის დამატება</translation>
    </message>
    <message>
        <source>import</source>
        <translation>იმპორტი</translation>
    </message>
    <message>
        <source>import frames</source>
        <translation>კადრების იმპორტი</translation>
    </message>
    <message>
        <source>text</source>
        <translation>ტექსტი</translation>
    </message>
    <message>
        <source>Undo %1</source>
        <translation>დაბრუნება: %1</translation>
    </message>
    <message>
        <source>Redo %1</source>
        <translation>გამეორება: %1</translation>
    </message>
</context>
<context>
    <name>EditorSession</name>
    <message>
        <source>%1
The read itself is not affected: %2.</source>
        <translation>%1
თავად წაკითხვას ეს არ ეხება: %2.</translation>
    </message>
    <message>
        <source>%1
The send itself is not affected: %2.</source>
        <translation>%1
თავად გაგზავნას ეს არ ეხება: %2.</translation>
    </message>
    <message>
        <source>%1 is made for a %2 x %3 board: the %4 x %5 board shows frame %6 cut, and saving it cut asks first</source>
        <translation>%1 შექმნილია %2 x %3 ტაბლოსთვის: %4 x %5 ტაბლო კადრ %6-ს მოჭრილს აჩვენებს, მოჭრილად შენახვამდე კი დაგეკითხებათ</translation>
    </message>
    <message>
        <source>%1 is made for a %2 x %3 board: the %4 x %5 board shows frames %6 and %7 cut, and saving them cut asks first</source>
        <translation>%1 შექმნილია %2 x %3 ტაბლოსთვის: %4 x %5 ტაბლო კადრებს %6 და %7 მოჭრილს აჩვენებს, მოჭრილად შენახვამდე კი დაგეკითხებათ</translation>
    </message>
    <message>
        <source>Frame %1 of %2 was cut to the %3 x %4 board: saving loses the LEDs beyond it for good. Save it cut?</source>
        <translation>%2-ის კადრი %1 %3 x %4 ტაბლოს ზომაზე მოიჭრა: შენახვისას ტაბლოს გარეთ დარჩენილი წერტილები სამუდამოდ დაიკარგება. შევინახოთ მოჭრილი?</translation>
    </message>
    <message>
        <source>Frames %1 and %2 of %3 were cut to the %4 x %5 board: saving loses the LEDs beyond it for good. Save it cut?</source>
        <translation>%3-ის კადრები %1 და %2 %4 x %5 ტაბლოს ზომაზე მოიჭრა: შენახვისას ტაბლოს გარეთ დარჩენილი წერტილები სამუდამოდ დაიკარგება. შევინახოთ მოჭრილი?</translation>
    </message>
    <message>
        <source>Send list</source>
        <translation>გასაგზავნი სია</translation>
    </message>
</context>
<context>
    <name>FileCommands</name>
    <message>
        <source>New</source>
        <translation>ახალი</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>შენახვა</translation>
    </message>
    <message>
        <source>Save As</source>
        <translation>შენახვა როგორც</translation>
    </message>
    <message>
        <source>Load</source>
        <translation>გახსნა</translation>
    </message>
    <message>
        <source>Image changed. Do you want to save?</source>
        <translation>გამოსახულება შეიცვალა. შევინახოთ?</translation>
    </message>
</context>
<context>
    <name>FleetModel</name>
    <message>
        <source>Bus</source>
        <translation>ავტობუსი</translation>
    </message>
    <message>
        <source>Depot</source>
        <translation>დეპო</translation>
    </message>
    <message>
        <source>Set</source>
        <translation>ნაკრები</translation>
    </message>
    <message>
        <source>In service</source>
        <translation>ხაზზეა</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>შენიშვნა</translation>
    </message>
    <message>
        <source>none</source>
        <translation>არცერთი</translation>
    </message>
    <message>
        <source>%1 (mixed)</source>
        <translation>%1 (შერეული)</translation>
    </message>
    <message>
        <source>Behind on %1 since %2: latest is version %3</source>
        <translation>%1: ჩამორჩება %2-დან; ბოლოა ვერსია %3</translation>
    </message>
    <message>
        <source>yes</source>
        <translation>კი</translation>
    </message>
    <message>
        <source>no</source>
        <translation>არა</translation>
    </message>
    <message>
        <source>not in the bus list</source>
        <translation>არ არის ავტობუსების სიაში</translation>
    </message>
</context>
<context>
    <name>FleetSession</name>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>%1 ვერ ჩაიწერა: %2</translation>
    </message>
    <message>
        <source>The release folder of bus %1&apos;s set is not known on this PC: release the set here, or open the folder it was released to.</source>
        <translation>ავტობუსის %1 ნაკრების გამოშვების საქაღალდე ამ კომპიუტერზე უცნობია: გამოუშვით ნაკრები აქ, ან გახსენით საქაღალდე, რომელშიც ის გამოვიდა.</translation>
    </message>
    <message>
        <source>Bus %1 has no sign %2.</source>
        <translation>ავტობუსს %1 ტაბლო %2 არ აქვს.</translation>
    </message>
    <message>
        <source>The %1 sign was not released (%2 is missing).</source>
        <translation>ტაბლო „%1“ არ გამოშვებულა (%2 არ არსებობს).</translation>
    </message>
    <message>
        <source>No visit list can be made here.</source>
        <translation>შემოვლის სია აქ ვერ შეიქმნება.</translation>
    </message>
</context>
<context>
    <name>FleetStatus</name>
    <message>
        <source>%1 bus: none released</source>
        <translation>%1 ავტობუსი: არაფერია გამოშვებული</translation>
    </message>
    <message>
        <source>%1 buses: none released</source>
        <translation>%1 ავტობუსი: არაფერია გამოშვებული</translation>
    </message>
    <message>
        <source>%1 of %2 bus up to date on every sign</source>
        <translation>%2 ავტობუსიდან %1 განახლებულია ყველა ტაბლოზე</translation>
    </message>
    <message>
        <source>%1 of %2 buses up to date on every sign</source>
        <translation>%2 ავტობუსიდან %1 განახლებულია ყველა ტაბლოზე</translation>
    </message>
    <message>
        <source>No buses.</source>
        <translation>ავტობუსები არ არის.</translation>
    </message>
    <message>
        <source>its set has never been released</source>
        <translation>მისი ნაკრები ჯერ არასოდეს გამოშვებულა</translation>
    </message>
    <message>
        <source>no release of its set counts yet</source>
        <translation>მისი ნაკრების არც ერთი გამოშვება ჯერ არ მოქმედებს</translation>
    </message>
    <message>
        <source>its set was not read</source>
        <translation>მისი ნაკრები ვერ იქნა წაკითხული</translation>
    </message>
</context>
<context>
    <name>FleetVisit</name>
    <message>
        <source>&quot;%1&quot; is not a release folder: its %2 cannot be read: %3</source>
        <translation>„%1“ არ არის გამოშვების საქაღალდე: მისი %2 ვერ იკითხება: %3</translation>
    </message>
    <message>
        <source>The release in &quot;%1&quot; names no set id; release the set again to have one</source>
        <translation>გამოშვება „%1“-ში ნაკრების id-ს არ ასახელებს; მის მისაღებად ნაკრები ხელახლა გამოუშვით</translation>
    </message>
</context>
<context>
    <name>FleetWatch</name>
    <message>
        <source>Changes on %1 are not shown as they happen: %2</source>
        <translation>%1-ზე ცვლილებები მაშინვე არ ჩანს: %2</translation>
    </message>
</context>
<context>
    <name>FleetWindow</name>
    <message>
        <source>Fleet</source>
        <translation>ავტოპარკი</translation>
    </message>
    <message>
        <source>Depot</source>
        <translation>დეპო</translation>
    </message>
    <message>
        <source>All depots</source>
        <translation>ყველა დეპო</translation>
    </message>
    <message>
        <source>Set</source>
        <translation>ნაკრები</translation>
    </message>
    <message>
        <source>All sets</source>
        <translation>ყველა ნაკრები</translation>
    </message>
    <message>
        <source>Behind only</source>
        <translation>მხოლოდ ჩამორჩენილი</translation>
    </message>
    <message>
        <source>Only the buses with a sign that does not carry the latest release</source>
        <translation>მხოლოდ ავტობუსები, რომელთა რომელიმე ტაბლოს ბოლო გამოშვება არ აქვს</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>განახლება</translation>
    </message>
    <message>
        <source>Read the fleet again</source>
        <translation>ავტოპარკის ხელახლა წაკითხვა</translation>
    </message>
    <message>
        <source>Counts</source>
        <translation>რაოდენობები</translation>
    </message>
    <message>
        <source>Buses</source>
        <translation>ავტობუსები</translation>
    </message>
    <message>
        <source>Sends to the bus</source>
        <translation>ავტობუსზე გაგზავნები</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>დრო</translation>
    </message>
    <message>
        <source>Sign</source>
        <translation>ტაბლო</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>ვერსია</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>ფაილები</translation>
    </message>
    <message>
        <source>Checksum</source>
        <translation>საკონტროლო ჯამი</translation>
    </message>
    <message>
        <source>Reply</source>
        <translation>პასუხი</translation>
    </message>
    <message>
        <source>Station</source>
        <translation>სამუშაო ადგილი</translation>
    </message>
    <message>
        <source>Sign to send</source>
        <translation>ტაბლო გასაგზავნად</translation>
    </message>
    <message>
        <source>The sign of the selected bus to send to</source>
        <translation>არჩეული ავტობუსის ტაბლო, რომელზეც იგზავნება</translation>
    </message>
    <message>
        <source>Send to this bus</source>
        <translation>ამ ავტობუსზე გაგზავნა</translation>
    </message>
    <message>
        <source>Put the bus&apos;s destinations for the sign, from the latest release, on the send list, and send them</source>
        <translation>ავტობუსის დანიშნულებების ამ ტაბლოსთვის, ბოლო გამოშვებიდან, გასაგზავნ სიაში ჩასმა და გაგზავნა</translation>
    </message>
    <message>
        <source>Export CSV...</source>
        <translation>CSV-ად ექსპორტი...</translation>
    </message>
    <message>
        <source>Write the buses shown as CSV</source>
        <translation>ნაჩვენები ავტობუსების ჩაწერა CSV-ად</translation>
    </message>
    <message>
        <source>Print visit list...</source>
        <translation>შემოვლის სიის ბეჭდვა...</translation>
    </message>
    <message>
        <source>A checklist PDF of the depot&apos;s buses to visit for a release</source>
        <translation>დეპოს ავტობუსების PDF საკონტროლო სია გამოშვებისთვის შემოსავლელად</translation>
    </message>
    <message>
        <source>READ</source>
        <translation>წაკითხვა</translation>
    </message>
    <message>
        <source>CSV|*.csv</source>
        <translation>CSV|*.csv</translation>
    </message>
    <message>
        <source>Choose the depot to visit in the depot filter first.</source>
        <translation>ჯერ აირჩიეთ შემოსავლელი დეპო დეპოს ფილტრში.</translation>
    </message>
    <message>
        <source>Release|release.txt</source>
        <translation>გამოშვება|release.txt</translation>
    </message>
    <message>
        <source>PDF|*.pdf</source>
        <translation>PDF|*.pdf</translation>
    </message>
    <message>
        <source>The visit list is written to %1.</source>
        <translation>შემოვლის სია ჩაიწერა: %1.</translation>
    </message>
</context>
<context>
    <name>FontEditor</name>
    <message>
        <source>Font Editor</source>
        <translation>შრიფტის რედაქტორი</translation>
    </message>
    <message>
        <source>Open...</source>
        <translation>გახსნა...</translation>
    </message>
    <message>
        <source>Open a .vfont font (Ctrl+O)</source>
        <translation>.vfont შრიფტის გახსნა (Ctrl+O)</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>შენახვა</translation>
    </message>
    <message>
        <source>Save the font (Ctrl+S)</source>
        <translation>შრიფტის შენახვა (Ctrl+S)</translation>
    </message>
    <message>
        <source>Save as...</source>
        <translation>შენახვა როგორც...</translation>
    </message>
    <message>
        <source>Save a copy under another name</source>
        <translation>ასლის შენახვა სხვა სახელით</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>დაბრუნება</translation>
    </message>
    <message>
        <source>Undo (Ctrl+Z)</source>
        <translation>დაბრუნება (Ctrl+Z)</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>გამეორება</translation>
    </message>
    <message>
        <source>Redo (Ctrl+Shift+Z, Ctrl+Y)</source>
        <translation>გამეორება (Ctrl+Shift+Z, Ctrl+Y)</translation>
    </message>
    <message>
        <source>Search: character or U+XXXX</source>
        <translation>ძიება: სიმბოლო ან U+XXXX</translation>
    </message>
    <message>
        <source>Search glyphs</source>
        <translation>გლიფების ძიება</translation>
    </message>
    <message>
        <source>Glyphs</source>
        <translation>გლიფები</translation>
    </message>
    <message>
        <source>Character</source>
        <translation>სიმბოლო</translation>
    </message>
    <message>
        <source>Character to add</source>
        <translation>დასამატებელი სიმბოლო</translation>
    </message>
    <message>
        <source>Add glyph</source>
        <translation>გლიფის დამატება</translation>
    </message>
    <message>
        <source>Remove glyph</source>
        <translation>გლიფის წაშლა</translation>
    </message>
    <message>
        <source>: left button lights, right button clears</source>
        <translation>: მარცხენა ღილაკი ანთებს, მარჯვენა აქრობს</translation>
    </message>
    <message>
        <source>How far the pen moves on after the glyph</source>
        <translation>რამდენით გადაინაცვლებს კალამი გლიფის შემდეგ</translation>
    </message>
    <message>
        <source>Width (LEDs)</source>
        <translation>სიგანე (წერტილი)</translation>
    </message>
    <message>
        <source>Advance</source>
        <translation>წინსვლა</translation>
    </message>
    <message>
        <source>Baseline</source>
        <translation>საბაზისო ხაზი</translation>
    </message>
    <message>
        <source>Sample text</source>
        <translation>ნიმუში ტექსტი</translation>
    </message>
    <message>
        <source>Sample at LED size</source>
        <translation>ნიმუში წერტილების ზომით</translation>
    </message>
    <message>
        <source>Sample zoomed</source>
        <translation>ნიმუში გადიდებით</translation>
    </message>
    <message>
        <source>Font changed. Open another and drop the changes?</source>
        <translation>შრიფტი შეიცვალა. გავხსნათ სხვა და ცვლილებები დავკარგოთ?</translation>
    </message>
    <message>
        <source>Type one character, or its code point as U+XXXX.</source>
        <translation>აკრიფეთ ერთი სიმბოლო, ან მისი კოდი U+XXXX სახით.</translation>
    </message>
    <message>
        <source>%1, %2 LEDs wide, advance %3</source>
        <translation>%1, სიგანე %2 წერტილი, წინსვლა %3</translation>
    </message>
    <message>
        <source>No glyph</source>
        <translation>გლიფი არ არის</translation>
    </message>
    <message>
        <source>row %1 of %2</source>
        <translation>მწკრივი %1 / %2</translation>
    </message>
    <message>
        <source> - Font Editor</source>
        <translation> - შრიფტის რედაქტორი</translation>
    </message>
    <message>
        <source>%1, %2 rows%3%4, %5 glyphs%6</source>
        <translation>%1, %2 მწკრივი%3%4, %5 გლიფი%6</translation>
    </message>
    <message>
        <source>, bold</source>
        <translation>, მსხვილი</translation>
    </message>
    <message>
        <source>, condensed</source>
        <translation>, შევიწროებული</translation>
    </message>
    <message>
        <source> (shipped: Save makes a copy)</source>
        <translation> (პროგრამასთან მოყოლილი: შენახვა ქმნის ასლს)</translation>
    </message>
    <message>
        <source> (read-only)</source>
        <translation> (მხოლოდ წასაკითხად)</translation>
    </message>
    <message>
        <source>No font open</source>
        <translation>შრიფტი არ არის გახსნილი</translation>
    </message>
    <message>
        <source> (Ctrl+Z)</source>
        <translation> (Ctrl+Z)</translation>
    </message>
    <message>
        <source> (Ctrl+Shift+Z)</source>
        <translation> (Ctrl+Shift+Z)</translation>
    </message>
    <message>
        <source>Font changed. Do you want to save?</source>
        <translation>შრიფტი შეიცვალა. შევინახოთ?</translation>
    </message>
    <message>
        <source>Vexel LED font|*.vfont</source>
        <translation>Vexel LED შრიფტი|*.vfont</translation>
    </message>
    <message>
        <source>add glyph</source>
        <translation>გლიფის დამატება</translation>
    </message>
    <message>
        <source>remove glyph</source>
        <translation>გლიფის წაშლა</translation>
    </message>
    <message>
        <source>advance</source>
        <translation>წინსვლა</translation>
    </message>
    <message>
        <source>width</source>
        <translation>სიგანე</translation>
    </message>
    <message>
        <source>Undo %1</source>
        <translation>დაბრუნება: %1</translation>
    </message>
    <message>
        <source>Redo %1</source>
        <translation>გამეორება: %1</translation>
    </message>
</context>
<context>
    <name>FramesPanel</name>
    <message>
        <source>File name</source>
        <translation>ფაილის სახელი</translation>
    </message>
    <message>
        <source>Frames</source>
        <translation>კადრები</translation>
    </message>
    <message>
        <source>New frame from the selection</source>
        <translation>ახალი კადრი მონიშნულიდან</translation>
    </message>
    <message>
        <source>Remove the selected frame</source>
        <translation>არჩეული კადრის წაშლა</translation>
    </message>
    <message>
        <source>Frame duration</source>
        <translation>კადრის ხანგრძლივობა</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>შესვლა</translation>
    </message>
    <message>
        <source>End</source>
        <translation>გასვლა</translation>
    </message>
    <message>
        <source>Run</source>
        <translation>გაშვება</translation>
    </message>
    <message>
        <source>Sign</source>
        <translation>ტაბლო</translation>
    </message>
    <message>
        <source>Play the image as the board will show it, effects included</source>
        <translation>გამოსახულების ჩვენება ისე, როგორც ტაბლო აჩვენებს, ეფექტების ჩათვლით</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>შეჩერება</translation>
    </message>
    <message>
        <source>Frames: %1</source>
        <translation>კადრები: %1</translation>
    </message>
    <message>
        <source>Frame %1</source>
        <translation>კადრი %1</translation>
    </message>
    <message>
        <source>Selection must be minimum 8 X 3</source>
        <translation>მონიშნული უნდა იყოს მინიმუმ 8 X 3</translation>
    </message>
    <message>
        <source>Image can hold maximum 256 frames</source>
        <translation>გამოსახულებაში მაქსიმუმ 256 კადრი ეტევა</translation>
    </message>
</context>
<context>
    <name>GlyphCanvas</name>
    <message>
        <source>Glyph LEDs</source>
        <translation>გლიფის წერტილები</translation>
    </message>
</context>
<context>
    <name>GtfsFeed</name>
    <message>
        <source>Cannot read the feed &quot;%1&quot;: there is no such file or folder</source>
        <translation>GTFS მონაცემები „%1“ ვერ იკითხება: ასეთი ფაილი ან საქაღალდე არ არსებობს</translation>
    </message>
    <message>
        <source>%1 cannot be opened: %2</source>
        <translation>%1 ვერ იხსნება: %2</translation>
    </message>
    <message>
        <source>%1 cannot be read: %2</source>
        <translation>%1 ვერ იკითხება: %2</translation>
    </message>
    <message>
        <source>%1 is longer than %2 MiB; it is not read</source>
        <translation>%1 %2 MiB-ზე დიდია; ის არ იკითხება</translation>
    </message>
</context>
<context>
    <name>GtfsImport</name>
    <message>
        <source>the import was stopped</source>
        <translation>იმპორტი შეწყდა</translation>
    </message>
    <message>
        <source>route %1, direction %2,</source>
        <translation>მარშრუტი %1, მიმართულება %2,</translation>
    </message>
    <message>
        <source>Cannot import the feed &quot;%1&quot;: %2</source>
        <translation>GTFS მონაცემების „%1“ იმპორტი ვერ ხერხდება: %2</translation>
    </message>
    <message>
        <source>%1 has no column &quot;%2&quot;</source>
        <translation>%1-ს არ აქვს სვეტი „%2“</translation>
    </message>
    <message>
        <source>%1, line %2: the texts kept for the destinations pass %3 MiB</source>
        <translation>%1, სტრიქონი %2: დანიშნულებებისთვის შენახული ტექსტები %3 MiB-ს აღემატება</translation>
    </message>
    <message>
        <source>it has no routes.txt</source>
        <translation>მასში არ არის routes.txt</translation>
    </message>
    <message>
        <source>routes.txt holds no route</source>
        <translation>routes.txt-ში არც ერთი მარშრუტი არ არის</translation>
    </message>
    <message>
        <source>routes.txt, line %1: the route_id is empty</source>
        <translation>routes.txt, სტრიქონი %1: route_id ცარიელია</translation>
    </message>
    <message>
        <source>routes.txt, line %1: the route_id &quot;%2&quot; is named twice</source>
        <translation>routes.txt, სტრიქონი %1: route_id „%2“ ორჯერ არის დასახელებული</translation>
    </message>
    <message>
        <source>routes.txt, line %1: %2; the route is left out</source>
        <translation>routes.txt, სტრიქონი %1: %2; მარშრუტი გამოტოვებულია</translation>
    </message>
    <message>
        <source>of route type %1</source>
        <translation>მარშრუტის ტიპით %1</translation>
    </message>
    <message>
        <source> or </source>
        <translation> ან </translation>
    </message>
    <message>
        <source>of agency %1</source>
        <translation>გადამზიდავით %1</translation>
    </message>
    <message>
        <source>with a route_short_name a sign can show</source>
        <translation>ისეთი route_short_name-ით, რომელსაც ტაბლო აჩვენებს</translation>
    </message>
    <message>
        <source>no route is %1</source>
        <translation>არც ერთი მარშრუტი არ არის %1</translation>
    </message>
    <message>
        <source> and </source>
        <translation> და </translation>
    </message>
    <message>
        <source>it has no trips.txt</source>
        <translation>მასში არ არის trips.txt</translation>
    </message>
    <message>
        <source>trips.txt: %1 trips of routes that routes.txt does not name were left out</source>
        <translation>trips.txt: გამოტოვებულია იმ მარშრუტების %1 რეისი, რომლებსაც routes.txt არ ასახელებს</translation>
    </message>
    <message>
        <source>trips.txt: %1 trips with a direction_id other than 0 or 1 were left out (the first on line %2)</source>
        <translation>trips.txt: გამოტოვებულია %1 რეისი, რომლის direction_id არც 0-ია და არც 1 (პირველი — სტრიქონზე %2)</translation>
    </message>
    <message>
        <source>trips.txt changed while it was read</source>
        <translation>trips.txt შეიცვალა წაკითხვისას</translation>
    </message>
    <message>
        <source>trips.txt, line %1: %2</source>
        <translation>trips.txt, სტრიქონი %1: %2</translation>
    </message>
    <message>
        <source>trips.txt, line %1: the trip_headsign &quot;%2&quot; cannot be told apart from &quot;%3&quot; on line %4</source>
        <translation>trips.txt, სტრიქონი %1: trip_headsign „%2“ ვერ განირჩევა სტრიქონ %4-ის „%3“-სგან</translation>
    </message>
    <message>
        <source>%1; %2 is left out</source>
        <translation>%1; %2 გამოტოვებულია</translation>
    </message>
    <message>
        <source>no trip of the chosen routes names a trip_headsign</source>
        <translation>არჩეული მარშრუტების არც ერთ რეისს არ აქვს trip_headsign</translation>
    </message>
    <message>
        <source>%1; the headsigns are taken as %2</source>
        <translation>%1; მიმართულების წარწერები მიღებულია, როგორც %2</translation>
    </message>
    <message>
        <source>Georgian</source>
        <translation>ქართული</translation>
    </message>
    <message>
        <source>Latin</source>
        <translation>ლათინური</translation>
    </message>
    <message>
        <source>feed_info.txt names no language of the feed</source>
        <translation>feed_info.txt არ ასახელებს GTFS მონაცემების ენას</translation>
    </message>
    <message>
        <source>the feed&apos;s language &quot;%1&quot; is not one this program knows</source>
        <translation>GTFS მონაცემების ენა „%1“ ამ პროგრამისთვის უცნობია</translation>
    </message>
    <message>
        <source>its language &quot;%1&quot; is written in %2 letters; only feeds in Georgian or in a language of Latin letters can be imported</source>
        <translation>მისი ენა „%1“ იწერება %2 ასოებით; იმპორტი შესაძლებელია მხოლოდ ქართულ ან ლათინური ასოებით დაწერილ ენაზე არსებული GTFS მონაცემებისა</translation>
    </message>
    <message>
        <source>the via of its stop_headsign values</source>
        <translation>მისი stop_headsign მნიშვნელობებით შედგენილი „გავლით“</translation>
    </message>
    <message>
        <source>stop_times.txt, line %1: %2; %3 is left out</source>
        <translation>stop_times.txt, სტრიქონი %1: %2; %3 გამოტოვებულია</translation>
    </message>
    <message>
        <source>no route of the feed has texts a sign can show</source>
        <translation>GTFS მონაცემების არც ერთ მარშრუტს არ აქვს ტექსტები, რომლებსაც ტაბლო აჩვენებს</translation>
    </message>
    <message>
        <source>translations.txt, line %1</source>
        <translation>translations.txt, სტრიქონი %1</translation>
    </message>
    <message>
        <source>stop_times.txt, line %1</source>
        <translation>stop_times.txt, სტრიქონი %1</translation>
    </message>
    <message>
        <source>the Latin name suggested</source>
        <translation>შეთავაზებული ლათინური სახელი</translation>
    </message>
    <message>
        <source>its translation</source>
        <translation>მისი თარგმანი</translation>
    </message>
    <message>
        <source>translations.txt, line %1: %2</source>
        <translation>translations.txt, სტრიქონი %1: %2</translation>
    </message>
    <message>
        <source>the via&apos;s translation</source>
        <translation>„გავლით“-ის თარგმანი</translation>
    </message>
    <message>
        <source>route_id %1: no route_short_name; the code is its route_id</source>
        <translation>route_id %1: route_short_name არ არის; კოდად აღებულია route_id</translation>
    </message>
    <message>
        <source>route_id %1: the route_short_name &quot;%2&quot; cannot name a file; the code is its route_id</source>
        <translation>route_id %1: route_short_name „%2“ ფაილის სახელად ვერ გამოდგება; კოდად აღებულია route_id</translation>
    </message>
    <message>
        <source>route_id %1: the route_short_name &quot;%2&quot; is shared with another route; the code is its route_id</source>
        <translation>route_id %1: route_short_name „%2“ სხვა მარშრუტსაც აქვს; კოდად აღებულია route_id</translation>
    </message>
    <message>
        <source>route_id %1: neither &quot;%2&quot; nor its route_id can be its code (taken by another route, or no file can be named so); left out</source>
        <translation>route_id %1: კოდად ვერ გამოდგება ვერც „%2“ და ვერც მისი route_id (სხვა მარშრუტს უკავია, ან ფაილს ასე ვერ დაერქმევა); გამოტოვებულია</translation>
    </message>
    <message>
        <source>route_id %1: the code &quot;%2&quot; %3; the code is &quot;%4&quot;</source>
        <translation>route_id %1: კოდი „%2“ %3; კოდია „%4“</translation>
    </message>
    <message>
        <source>is taken by another route</source>
        <translation>სხვა მარშრუტს უკავია</translation>
    </message>
    <message>
        <source>cannot name a file</source>
        <translation>ფაილის სახელად ვერ გამოდგება</translation>
    </message>
    <message>
        <source>no route of the feed has a code that can name a file</source>
        <translation>GTFS მონაცემების არც ერთ მარშრუტს არ აქვს კოდი, რომელიც ფაილის სახელად გამოდგება</translation>
    </message>
    <message>
        <source>%1: no English name for &quot;%2&quot; in translations.txt; &quot;%3&quot; is suggested</source>
        <translation>%1: translations.txt-ში „%2“-ის ინგლისური სახელი არ არის; შეთავაზებულია „%3“</translation>
    </message>
    <message>
        <source>%1: the via &quot;%2&quot; is not all in translations.txt; &quot;%3&quot; is suggested</source>
        <translation>%1: „გავლით“ „%2“ translations.txt-ში სრულად არ არის; შეთავაზებულია „%3“</translation>
    </message>
    <message>
        <source>the second direction needs a code suffix</source>
        <translation>მეორე მიმართულებას კოდის სუფიქსი სჭირდება</translation>
    </message>
    <message>
        <source>proposed as %1</source>
        <translation>შეთავაზებულია, როგორც %1</translation>
    </message>
    <message>
        <source>left there, as the other column has a text</source>
        <translation>დარჩა იქვე, რადგან მეორე სვეტში ტექსტია</translation>
    </message>
    <message>
        <source>%1 of the headsigns name their via; it is split off the destination</source>
        <translation>მიმართულების %1 წარწერა ასახელებს „გავლით“-ს; ის დანიშნულებას გამოეყო</translation>
    </message>
    <message>
        <source>%1 of the Latin texts are in capitals only; title case is suggested</source>
        <translation>%1 ლათინური ტექსტი მხოლოდ მთავრული ასოებითაა; შეთავაზებულია სიტყვების დიდი საწყისი ასოებით დაწერა</translation>
    </message>
    <message>
        <source>&quot;%1&quot; (%2 trips)</source>
        <translation>„%1“ (%2 რეისი)</translation>
    </message>
    <message>
        <source>%1 has headsigns too rare to be destinations (under %2 % of its %3 trips and under %4 trips each): %5</source>
        <translation>%1 აქვს მიმართულების წარწერები, რომლებიც დანიშნულებისთვის ზედმეტად იშვიათია (თითოეული მისი %3 რეისის %2 %-ზე ნაკლები და %4 რეისზე ნაკლები): %5</translation>
    </message>
    <message>
        <source> and %1 more</source>
        <translation> და კიდევ %1</translation>
    </message>
    <message>
        <source>routes of the chosen types and agencies without trips in this feed, left out (%1): %2</source>
        <translation>არჩეული ტიპებისა და გადამზიდავების მარშრუტები, რომლებსაც ამ GTFS მონაცემებში რეისი არ აქვთ, გამოტოვებულია (%1): %2</translation>
    </message>
    <message>
        <source>routes whose trips name no trip_headsign, left out (%1): %2</source>
        <translation>მარშრუტები, რომელთა რეისები trip_headsign-ს არ ასახელებს, გამოტოვებულია (%1): %2</translation>
    </message>
    <message>
        <source>stop names of two words in the texts, which the signs&apos; line breaks keep together once the import is applied (%1): %2</source>
        <translation>ორსიტყვიანი გაჩერებების სახელები ტექსტებში, რომლებსაც ტაბლოების სტრიქონის გადატანა იმპორტის გამოყენების შემდეგ ერთად დატოვებს (%1): %2</translation>
    </message>
    <message>
        <source>&quot;%1&quot; (1 trip)</source>
        <translation>„%1“ (1 რეისი)</translation>
    </message>
    <message>
        <source>and %1 more (%2 trips)</source>
        <translation>და კიდევ %1 (%2 რეისი)</translation>
    </message>
    <message>
        <source>%1, line %2: more than %3 agencies; a feed may have at most %3</source>
        <translation>%1, სტრიქონი %2: %3-ზე მეტი გადამზიდავი; GTFS მონაცემებში შეიძლება იყოს მაქსიმუმ %3</translation>
    </message>
    <message>
        <source>%1, line %2: more than %3 routes; a feed may have at most %3</source>
        <translation>%1, სტრიქონი %2: %3-ზე მეტი მარშრუტი; GTFS მონაცემებში შეიძლება იყოს მაქსიმუმ %3</translation>
    </message>
    <message>
        <source>%1, line %2: more than %3 trips; a feed may have at most %3</source>
        <translation>%1, სტრიქონი %2: %3-ზე მეტი რეისი; GTFS მონაცემებში შეიძლება იყოს მაქსიმუმ %3</translation>
    </message>
    <message>
        <source>%1, line %2: more than %3 translations; a feed may have at most %3</source>
        <translation>%1, სტრიქონი %2: %3-ზე მეტი თარგმანი; GTFS მონაცემებში შეიძლება იყოს მაქსიმუმ %3</translation>
    </message>
    <message>
        <source>%1, line %2: more than %3 stops; a feed may have at most %3</source>
        <translation>%1, სტრიქონი %2: %3-ზე მეტი გაჩერება; GTFS მონაცემებში შეიძლება იყოს მაქსიმუმ %3</translation>
    </message>
    <message>
        <source>%1, line %2: more than %3 stop times; a feed may have at most %3</source>
        <translation>%1, სტრიქონი %2: გაჩერებების %3-ზე მეტი დრო; GTFS მონაცემებში შეიძლება იყოს მაქსიმუმ %3</translation>
    </message>
    <message>
        <source>and %1 more</source>
        <translation>და კიდევ %1</translation>
    </message>
</context>
<context>
    <name>GtfsImportDialog</name>
    <message>
        <source>Import routes from GTFS</source>
        <translation>მარშრუტების იმპორტი GTFS-დან</translation>
    </message>
    <message>
        <source>Destination set</source>
        <translation>დანიშნულებების ნაკრები</translation>
    </message>
    <message>
        <source>Choose...</source>
        <translation>არჩევა...</translation>
    </message>
    <message>
        <source>Choose the destination set</source>
        <translation>დანიშნულებების ნაკრების არჩევა</translation>
    </message>
    <message>
        <source>Set:</source>
        <translation>ნაკრები:</translation>
    </message>
    <message>
        <source>Transit feed</source>
        <translation>GTFS მონაცემები</translation>
    </message>
    <message>
        <source>a GTFS zip, or a folder of its files</source>
        <translation>GTFS zip ფაილი, ან მისი ფაილების საქაღალდე</translation>
    </message>
    <message>
        <source>Choose the transit feed</source>
        <translation>GTFS მონაცემების არჩევა</translation>
    </message>
    <message>
        <source>Feed:</source>
        <translation>მონაცემები:</translation>
    </message>
    <message>
        <source>Return suffix</source>
        <translation>უკუმიმართულების დაბოლოება</translation>
    </message>
    <message>
        <source>Return suffix:</source>
        <translation>უკუმიმართულების დაბოლოება:</translation>
    </message>
    <message>
        <source>Route type</source>
        <translation>მარშრუტის ტიპი</translation>
    </message>
    <message>
        <source>Route type:</source>
        <translation>მარშრუტის ტიპი:</translation>
    </message>
    <message>
        <source>Agency</source>
        <translation>გადამზიდავი</translation>
    </message>
    <message>
        <source>Agency:</source>
        <translation>გადამზიდავი:</translation>
    </message>
    <message>
        <source>Letter case of Latin texts</source>
        <translation>ლათინური ტექსტების ასოთა რეგისტრი</translation>
    </message>
    <message>
        <source>Title case for every text in capitals</source>
        <translation>სათაურის რეგისტრი მთავრულით დაწერილი ყველა ტექსტისთვის</translation>
    </message>
    <message>
        <source>Keep the feed&apos;s letter case</source>
        <translation>მონაცემების რეგისტრის შენარჩუნება</translation>
    </message>
    <message>
        <source>Letter case:</source>
        <translation>რეგისტრი:</translation>
    </message>
    <message>
        <source>Show difference</source>
        <translation>სხვაობის ჩვენება</translation>
    </message>
    <message>
        <source>Reading the feed</source>
        <translation>მონაცემების კითხვა</translation>
    </message>
    <message>
        <source>Changes</source>
        <translation>ცვლილებები</translation>
    </message>
    <message>
        <source>Change</source>
        <translation>ცვლილება</translation>
    </message>
    <message>
        <source>Code</source>
        <translation>კოდი</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>ტექსტი</translation>
    </message>
    <message>
        <source>In the set</source>
        <translation>ნაკრებში</translation>
    </message>
    <message>
        <source>From the feed</source>
        <translation>მონაცემებიდან</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>შენიშვნა</translation>
    </message>
    <message>
        <source>Summary</source>
        <translation>შეჯამება</translation>
    </message>
    <message>
        <source>Report</source>
        <translation>ანგარიში</translation>
    </message>
    <message>
        <source>Apply ticked</source>
        <translation>მონიშნულის გამოყენება</translation>
    </message>
    <message>
        <source>Apply what is ticked as one change of the set</source>
        <translation>მონიშნულის გამოყენება ნაკრების ერთ ცვლილებად</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>დახურვა</translation>
    </message>
    <message>
        <source>Why Apply ticked is not available</source>
        <translation>რატომ არ არის ხელმისაწვდომი მონიშნულის გამოყენება</translation>
    </message>
    <message>
        <source>Destination sets|*.vxset</source>
        <translation>დანიშნულებების ნაკრებები|*.vxset</translation>
    </message>
    <message>
        <source>GTFS feeds: a zip, or the routes.txt of a folder|*.zip;routes.txt</source>
        <translation>GTFS მონაცემები: zip ფაილი, ან საქაღალდის routes.txt|*.zip;routes.txt</translation>
    </message>
    <message>
        <source>Choose the destination set to import into.</source>
        <translation>აირჩიეთ დანიშნულებების ნაკრები, რომელშიც ხდება იმპორტი.</translation>
    </message>
    <message>
        <source>Every route type</source>
        <translation>ყველა ტიპის მარშრუტი</translation>
    </message>
    <message>
        <source>Every agency</source>
        <translation>ყველა გადამზიდავი</translation>
    </message>
    <message>
        <source>route</source>
        <translation>მარშრუტი</translation>
    </message>
    <message>
        <source>routes</source>
        <translation>მარშრუტი</translation>
    </message>
    <message>
        <source>Choose the transit feed: a GTFS zip, or a folder of its files.</source>
        <translation>აირჩიეთ GTFS მონაცემები: zip ფაილი, ან მისი ფაილების საქაღალდე.</translation>
    </message>
    <message>
        <source>Added</source>
        <translation>დამატებული</translation>
    </message>
    <message>
        <source>Removed</source>
        <translation>წაშლილი</translation>
    </message>
    <message>
        <source>The feed no longer has it; untick to keep it</source>
        <translation>მონაცემებში აღარ არის; მოხსენით მონიშვნა, რომ დარჩეს</translation>
    </message>
    <message>
        <source>Changed</source>
        <translation>შეცვლილი</translation>
    </message>
    <message>
        <source>The set already has what the feed says.</source>
        <translation>ნაკრებში უკვე ისაა, რაც მონაცემებშია.</translation>
    </message>
    <message>
        <source>%1 added, %2 changed, %3 removed</source>
        <translation>დაემატა %1, შეიცვალა %2, წაიშალა %3</translation>
    </message>
    <message>
        <source>The set is open read-only: %1</source>
        <translation>ნაკრები გახსნილია მხოლოდ წასაკითხად: %1</translation>
    </message>
    <message>
        <source>it was opened for reading only</source>
        <translation>გახსნილია მხოლოდ წასაკითხად</translation>
    </message>
    <message>
        <source>Show the difference first.</source>
        <translation>ჯერ აჩვენეთ სხვაობა.</translation>
    </message>
    <message>
        <source>Nothing to apply: the set already has what the feed says.</source>
        <translation>გამოსაყენებელი არაფერია: ნაკრებში უკვე ისაა, რაც მონაცემებშია.</translation>
    </message>
    <message>
        <source>Nothing is ticked.</source>
        <translation>არაფერია მონიშნული.</translation>
    </message>
    <message>
        <source>Another set is chosen now; show its difference first.</source>
        <translation>ახლა სხვა ნაკრებია არჩეული; ჯერ აჩვენეთ მისი სხვაობა.</translation>
    </message>
    <message>
        <source>The import was not applied; the set is as it was.
%1</source>
        <translation>იმპორტი არ შესრულდა; ნაკრები უცვლელია.
%1</translation>
    </message>
    <message>
        <source>Imported into the set: %1 added, %2 changed, %3 removed.</source>
        <translation>ნაკრებში შემოვიდა: დაემატა %1, შეიცვალა %2, წაიშალა %3.</translation>
    </message>
    <message>
        <source> (Latin suggested)</source>
        <translation> (ლათინური შეთავაზებულია)</translation>
    </message>
    <message>
        <source>, via </source>
        <translation>, გავლით: </translation>
    </message>
    <message>
        <source>tram</source>
        <translation>ტრამვაი</translation>
    </message>
    <message>
        <source>metro</source>
        <translation>მეტრო</translation>
    </message>
    <message>
        <source>rail</source>
        <translation>რკინიგზა</translation>
    </message>
    <message>
        <source>bus</source>
        <translation>ავტობუსი</translation>
    </message>
    <message>
        <source>ferry</source>
        <translation>ბორანი</translation>
    </message>
    <message>
        <source>cable tram</source>
        <translation>საბაგირო ტრამვაი</translation>
    </message>
    <message>
        <source>aerial lift</source>
        <translation>საჰაერო საბაგირო</translation>
    </message>
    <message>
        <source>funicular</source>
        <translation>ფუნიკულიორი</translation>
    </message>
    <message>
        <source>trolleybus</source>
        <translation>ტროლეიბუსი</translation>
    </message>
    <message>
        <source>monorail</source>
        <translation>მონორელსი</translation>
    </message>
    <message>
        <source> (suggested)</source>
        <translation> (შეთავაზებული)</translation>
    </message>
    <message>
        <source>Held</source>
        <translation>დატოვებული</translation>
    </message>
    <message>
        <source>Tick to take the feed&apos;s text over the set&apos;s</source>
        <translation>მონიშნეთ, რომ ნაკრების ტექსტის ნაცვლად მონაცემების ტექსტი აიღოთ</translation>
    </message>
    <message>
        <source>text</source>
        <translation>ტექსტი</translation>
    </message>
    <message>
        <source>texts</source>
        <translation>ტექსტი</translation>
    </message>
    <message>
        <source>Title case for texts and words in capitals</source>
        <translation>სათაურის რეგისტრი მთავრულით დაწერილი ტექსტებისა და სიტყვებისთვის</translation>
    </message>
    <message>
        <source>Suffix of other headsigns</source>
        <translation>სხვა წარწერების დაბოლოება</translation>
    </message>
    <message>
        <source>the set&apos;s rule (-%n in a new set: B41-2)</source>
        <translation>ნაკრების წესი (ახალ ნაკრებში -%n: B41-2)</translation>
    </message>
    <message>
        <source>Follows the route&apos;s code in the codes of a direction&apos;s other headsigns, %n their number from 2. Empty: the set&apos;s rule. Applied, it becomes the set&apos;s rule.</source>
        <translation>მიმართულების სხვა წარწერების კოდებში მარშრუტის კოდს მოსდევს, %n მათი ნომერია 2-დან. ცარიელი: ნაკრების წესი. გამოყენებისას ნაკრების წესი ხდება.</translation>
    </message>
    <message>
        <source>Other headsigns&apos; suffix:</source>
        <translation>სხვა წარწერების დაბოლოება:</translation>
    </message>
</context>
<context>
    <name>GuideBook</name>
    <message>
        <source>en</source>
        <comment>the guide&apos;s language code</comment>
        <translation>ka</translation>
    </message>
</context>
<context>
    <name>GuideWindow</name>
    <message>
        <source>User Guide</source>
        <translation>სახელმძღვანელო</translation>
    </message>
    <message>
        <source>The user guide</source>
        <translation>სახელმძღვანელო</translation>
    </message>
    <message>
        <source>Contents</source>
        <translation>სარჩევი</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>უკან</translation>
    </message>
    <message>
        <source>The user guide is not installed here. It is built with &quot;make guide&quot; and installed with the package in /usr/share/doc/vexel-image/guide/.</source>
        <translation>სახელმძღვანელო აქ დაყენებული არ არის. ის იქმნება ბრძანებით „make guide“ და პაკეტს მოჰყვება საქაღალდეში /usr/share/doc/vexel-image/guide/.</translation>
    </message>
</context>
<context>
    <name>HeldConnection</name>
    <message>
        <source>Qt&apos;s PostgreSQL driver is not installed (libqt6sql6-psql)</source>
        <translation>Qt-ის PostgreSQL დრაივერი დაყენებული არ არის (libqt6sql6-psql)</translation>
    </message>
</context>
<context>
    <name>ImageDocument</name>
    <message>
        <source>frame %1</source>
        <translation>კადრი %1</translation>
    </message>
    <message>
        <source>frames %1 and %2</source>
        <translation>კადრები %1 და %2</translation>
    </message>
    <message>
        <source>The image was not written: %1 of it was cut to the %2 x %3 board, which loses the LEDs beyond it. Save asks before writing it cut.</source>
        <translation>გამოსახულება არ ჩაიწერა: მისი %1 %2 x %3 ტაბლოს ზომაზე მოიჭრა და ტაბლოს გარეთ დარჩენილი წერტილები იკარგება. შენახვა მოჭრილად ჩაწერამდე დაგეკითხებათ.</translation>
    </message>
    <message>
        <source>The image was not written: %1 of it were cut to the %2 x %3 board, which loses the LEDs beyond it. Save asks before writing it cut.</source>
        <translation>გამოსახულება არ ჩაიწერა: მისი %1 %2 x %3 ტაბლოს ზომაზე მოიჭრა და ტაბლოს გარეთ დარჩენილი წერტილები იკარგება. შენახვა მოჭრილად ჩაწერამდე დაგეკითხებათ.</translation>
    </message>
</context>
<context>
    <name>ImageFile</name>
    <message>
        <source>Cannot create file &quot;%1&quot;. %2</source>
        <translation>ფაილი „%1“ ვერ იქმნება. %2</translation>
    </message>
    <message>
        <source>Cannot open file &quot;%1&quot;. %2</source>
        <translation>ფაილი „%1“ ვერ იხსნება. %2</translation>
    </message>
    <message>
        <source>Text exceeds memo capacity</source>
        <translation>ტექსტი ჩანაწერის ველის მოცულობას აღემატება</translation>
    </message>
    <message>
        <source>line %1 is longer than %2 characters</source>
        <translation>სტრიქონი %1 %2 სიმბოლოზე გრძელია</translation>
    </message>
    <message>
        <source>It is a folder.</source>
        <translation>ეს საქაღალდეა.</translation>
    </message>
    <message>
        <source>It is not a regular file.</source>
        <translation>ეს ჩვეულებრივი ფაილი არ არის.</translation>
    </message>
    <message>
        <source>Cannot load &quot;%1&quot;: %2</source>
        <translation>„%1“ ვერ იტვირთება: %2</translation>
    </message>
</context>
<context>
    <name>ImageRecord</name>
    <message>
        <source>line %1: %2</source>
        <translation>სტრიქონი %1: %2</translation>
    </message>
    <message>
        <source>the image has no frame-count line</source>
        <translation>გამოსახულებას კადრების რაოდენობის სტრიქონი არ აქვს</translation>
    </message>
    <message>
        <source>the image has no frame header at line %1</source>
        <translation>გამოსახულებას სტრიქონ %1-ზე კადრის სათაური არ აქვს</translation>
    </message>
    <message>
        <source>the frame&apos;s row lines are missing</source>
        <translation>კადრის მწკრივების სტრიქონები აკლია</translation>
    </message>
    <message>
        <source>the file holds no image</source>
        <translation>ფაილში გამოსახულება არ არის</translation>
    </message>
    <message>
        <source>the frame count must be 4 hex digits</source>
        <translation>კადრების რაოდენობა 4 თექვსმეტობითი ციფრი უნდა იყოს</translation>
    </message>
    <message>
        <source>the image must hold at least one frame</source>
        <translation>გამოსახულებაში ერთი კადრი მაინც უნდა იყოს</translation>
    </message>
    <message>
        <source>frame %1 is missing: the count line says %2 frames</source>
        <translation>კადრი %1 აკლია: რაოდენობის სტრიქონის მიხედვით კადრი %2-ია</translation>
    </message>
    <message>
        <source>the frame window (X + W = %1) does not fit the %2 columns of the board model</source>
        <translation>კადრის არე (X + W = %1) ტაბლოს მოდელის %2 სვეტში არ ეტევა</translation>
    </message>
    <message>
        <source>the frame window (Y + H = %1) does not fit the %2 rows of the board model</source>
        <translation>კადრის არე (Y + H = %1) ტაბლოს მოდელის %2 მწკრივში არ ეტევა</translation>
    </message>
    <message>
        <source>frame %1 has %2 row lines, its header says %3</source>
        <translation>კადრს %1 მწკრივის %2 სტრიქონი აქვს, მისი სათაური კი %3-ს ამბობს</translation>
    </message>
    <message>
        <source>the row line holds %1 bytes, only %2 are left in its row</source>
        <translation>მწკრივის სტრიქონში %1 ბაიტია, მის მწკრივში კი მხოლოდ %2 რჩება</translation>
    </message>
    <message>
        <source>the file goes on after the %1 frames of its count line</source>
        <translation>ფაილი რაოდენობის სტრიქონში ნათქვამი %1 კადრის შემდეგაც გრძელდება</translation>
    </message>
</context>
<context>
    <name>ImportCommands</name>
    <message>
        <source>Import image...</source>
        <translation>სურათის იმპორტი...</translation>
    </message>
    <message>
        <source>Import routes from GTFS…</source>
        <translation>მარშრუტების იმპორტი GTFS-დან…</translation>
    </message>
    <message>
        <source>Pictures|*.png *.bmp *.gif *.jpg *.jpeg</source>
        <translation>სურათები|*.png *.bmp *.gif *.jpg *.jpeg</translation>
    </message>
    <message>
        <source>Image can hold maximum 256 frames: %1 of %2 frames imported</source>
        <translation>გამოსახულებაში მაქსიმუმ 256 კადრი ეტევა: შემოვიდა %1 კადრი %2-დან</translation>
    </message>
</context>
<context>
    <name>ImportPanel</name>
    <message>
        <source>Import picture</source>
        <translation>სურათის იმპორტი</translation>
    </message>
    <message>
        <source>No picture</source>
        <translation>სურათი არ არის</translation>
    </message>
    <message>
        <source>Picture</source>
        <translation>სურათი</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>მდგომარეობა</translation>
    </message>
    <message>
        <source>Keep aspect</source>
        <translation>პროპორციის შენარჩუნება</translation>
    </message>
    <message>
        <source>Stretch</source>
        <translation>გაჭიმვა</translation>
    </message>
    <message>
        <source>Fit</source>
        <translation>მორგება</translation>
    </message>
    <message>
        <source>&amp;Fit:</source>
        <translation>&amp;მორგება:</translation>
    </message>
    <message>
        <source>Threshold</source>
        <translation>ზღვარი</translation>
    </message>
    <message>
        <source>Ordered dither</source>
        <translation>მოწესრიგებული დიზერინგი</translation>
    </message>
    <message>
        <source>Error diffusion</source>
        <translation>ცდომილების გაფანტვა</translation>
    </message>
    <message>
        <source>Conversion</source>
        <translation>გარდაქმნა</translation>
    </message>
    <message>
        <source>&amp;Method:</source>
        <translation>&amp;მეთოდი:</translation>
    </message>
    <message>
        <source>Grey level from which an LED is lit; with a dither, a brightness shift</source>
        <translation>რუხის დონე, რომლიდანაც წერტილი ინთება; დიზერინგისას — სიკაშკაშის წანაცვლება</translation>
    </message>
    <message>
        <source>&amp;Invert</source>
        <translation>&amp;შებრუნება</translation>
    </message>
    <message>
        <source>Light the dark parts, for dark drawings on white</source>
        <translation>მუქი ნაწილების ანთება, თეთრზე მუქი ნახატებისთვის</translation>
    </message>
    <message>
        <source>&amp;Threshold:</source>
        <translation>&amp;ზღვარი:</translation>
    </message>
    <message>
        <source>T&amp;arget:</source>
        <translation>&amp;სამიზნე:</translation>
    </message>
    <message>
        <source>Import as &amp;frames</source>
        <translation>იმპორტი &amp;კადრებად</translation>
    </message>
    <message>
        <source>&amp;Place</source>
        <translation>&amp;განთავსება</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>გაუქმება</translation>
    </message>
    <message>
        <source>Animation of %1 frames.</source>
        <translation>ანიმაცია %1 კადრით.</translation>
    </message>
    <message>
        <source>The image can take %1 more (%2 frames at most); only the first %1 are imported.</source>
        <translation>გამოსახულებაში კიდევ %1 ეტევა (მაქსიმუმ %2 კადრი); შემოვა მხოლოდ პირველი %1.</translation>
    </message>
</context>
<context>
    <name>ImportWords</name>
    <message>
        <source>Georgian text for %1; the feed&apos;s language is %2</source>
        <translation>ქართული ტექსტი %1-ში; GTFS მონაცემების ენაა %2</translation>
    </message>
    <message>
        <source>Latin text for %1; the feed&apos;s language is %2</source>
        <translation>ლათინური ტექსტი %1-ში; GTFS მონაცემების ენაა %2</translation>
    </message>
    <message>
        <source>a double space</source>
        <translation>ორმაგი ჰარი</translation>
    </message>
    <message>
        <source>&quot;%1&quot; at the start</source>
        <translation>„%1“ დასაწყისში</translation>
    </message>
    <message>
        <source>&quot;%1&quot; at the end</source>
        <translation>„%1“ ბოლოში</translation>
    </message>
    <message>
        <source>an empty part</source>
        <translation>ცარიელი ნაწილი</translation>
    </message>
    <message>
        <source>the spaces around its commas</source>
        <translation>ჰარები მძიმეების ირგვლივ</translation>
    </message>
    <message>
        <source>cleaned: %1</source>
        <translation>გასუფთავებულია: %1</translation>
    </message>
    <message>
        <source>texts cleaned of double spaces and of separators left at their ends: %1</source>
        <translation>ორმაგი ჰარებისა და ბოლოებში დარჩენილი გამყოფებისგან გასუფთავებული ტექსტები: %1</translation>
    </message>
    <message>
        <source>headsigns that begin with service words, split off into the service: %1</source>
        <translation>მიმართულების წარწერები, რომლებიც მომსახურების სიტყვებით იწყება, მომსახურებაში გამოყოფილი: %1</translation>
    </message>
    <message>
        <source>Latin texts that mix small letters with words in capitals, those words suggested in title case: %1</source>
        <translation>ლათინური ტექსტები, სადაც პატარა ასოები და მთავრული სიტყვები ერევა, ეს სიტყვები შემოთავაზებულია სათაურის რეგისტრში: %1</translation>
    </message>
</context>
<context>
    <name>IniFile</name>
    <message>
        <source>Unable to write to %1</source>
        <translation>%1-ში ჩაწერა ვერ მოხერხდა</translation>
    </message>
</context>
<context>
    <name>JournalServer</name>
    <message>
        <source>The send journal on %1 could not be written: %2</source>
        <translation>გაგზავნის ჟურნალში %1-ზე ჩაწერა ვერ მოხერხდა: %2</translation>
    </message>
    <message>
        <source>The send journal on %1 cannot be read: %2</source>
        <translation>გაგზავნის ჟურნალი %1-ზე ვერ იკითხება: %2</translation>
    </message>
</context>
<context>
    <name>JournalWindow</name>
    <message>
        <source>Journal</source>
        <translation>ჟურნალი</translation>
    </message>
    <message>
        <source>Bus</source>
        <translation>ავტობუსი</translation>
    </message>
    <message>
        <source>Sign</source>
        <translation>ტაბლო</translation>
    </message>
    <message>
        <source>Set</source>
        <translation>ნაკრები</translation>
    </message>
    <message>
        <source>Between</source>
        <translation>პერიოდი</translation>
    </message>
    <message>
        <source>From date</source>
        <translation>დაწყების თარიღი</translation>
    </message>
    <message>
        <source>To date</source>
        <translation>დასრულების თარიღი</translation>
    </message>
    <message>
        <source>Reply</source>
        <translation>პასუხი</translation>
    </message>
    <message>
        <source>Any reply</source>
        <translation>ნებისმიერი პასუხი</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>განახლება</translation>
    </message>
    <message>
        <source>Carries</source>
        <translation>რა აქვს</translation>
    </message>
    <message>
        <source>Which version the bus carries on the sign: its last send the board took</source>
        <translation>რომელი ვერსია აქვს ავტობუსს ტაბლოზე: ბოლო გაგზავნა, რომელიც ტაბლომ მიიღო</translation>
    </message>
    <message>
        <source>Answer</source>
        <translation>პასუხი</translation>
    </message>
    <message>
        <source>Journal entries</source>
        <translation>ჟურნალის ჩანაწერები</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>დრო</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>ვერსია</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>პორტი</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>ფაილები</translation>
    </message>
    <message>
        <source>Data block (bytes)</source>
        <translation>მონაცემთა ბლოკი (ბაიტი)</translation>
    </message>
    <message>
        <source>Checksum</source>
        <translation>საკონტროლო ჯამი</translation>
    </message>
    <message>
        <source>READ</source>
        <translation>წაკითხვა</translation>
    </message>
    <message>
        <source> (not yet uploaded)</source>
        <translation> (ჯერ არ აიტვირთა)</translation>
    </message>
    <message>
        <source>No entries.</source>
        <translation>ჩანაწერები არ არის.</translation>
    </message>
    <message>
        <source>Type the bus number first.</source>
        <translation>ჯერ აკრიფეთ ავტობუსის ნომერი.</translation>
    </message>
    <message>
        <source>no reply</source>
        <translation>პასუხი არ არის</translation>
    </message>
    <message>
        <source>stopped</source>
        <translation>შეჩერდა</translation>
    </message>
    <message>
        <source>not sent</source>
        <translation>არ გაიგზავნა</translation>
    </message>
</context>
<context>
    <name>LimitedFile</name>
    <message>
        <source>%1 MiB</source>
        <translation>%1 MiB</translation>
    </message>
    <message>
        <source>%1 KiB</source>
        <translation>%1 KiB</translation>
    </message>
    <message>
        <source>%1 bytes</source>
        <translation>%1 ბაიტი</translation>
    </message>
    <message>
        <source>It is not a regular file.</source>
        <translation>ეს ჩვეულებრივი ფაილი არ არის.</translation>
    </message>
    <message>
        <source>It is larger than %1.</source>
        <translation>ის %1-ზე დიდია.</translation>
    </message>
</context>
<context>
    <name>OverrideFiles</name>
    <message>
        <source>the folder &quot;%1&quot; cannot be made</source>
        <translation>საქაღალდე „%1“ ვერ იქმნება</translation>
    </message>
    <message>
        <source>the set&apos;s address cannot be written into &quot;%1&quot;: %2</source>
        <translation>ნაკრების მისამართი „%1“-ში ვერ ჩაიწერა: %2</translation>
    </message>
    <message>
        <source>The image is saved, but not stored in %1: %2</source>
        <translation>გამოსახულება შენახულია, მაგრამ %1-ში არ ჩაიწერა: %2</translation>
    </message>
</context>
<context>
    <name>PictureImport</name>
    <message>
        <source>Cannot read picture &quot;%1&quot;: %2</source>
        <translation>სურათი „%1“ ვერ იკითხება: %2</translation>
    </message>
    <message>
        <source>The file ends before its last frame is whole</source>
        <translation>ფაილი მთავრდება, სანამ მისი ბოლო კადრი სრული იქნება</translation>
    </message>
    <message>
        <source>The file holds no picture</source>
        <translation>ფაილში სურათი არ არის</translation>
    </message>
    <message>
        <source>The file does not exist</source>
        <translation>ფაილი არ არსებობს</translation>
    </message>
    <message>
        <source>It is a folder</source>
        <translation>ეს საქაღალდეა</translation>
    </message>
    <message>
        <source>It is not a regular file</source>
        <translation>ეს ჩვეულებრივი ფაილი არ არის</translation>
    </message>
    <message>
        <source>The file is larger than %1 MiB</source>
        <translation>ფაილი %1 MiB-ზე დიდია</translation>
    </message>
    <message>
        <source>Frame %1 of %2: %3</source>
        <translation>კადრი %1 / %2: %3</translation>
    </message>
    <message>
        <source>Its frames come to more than %1 million pixels</source>
        <translation>მისი კადრები ჯამში %1 მილიონ პიქსელზე მეტია</translation>
    </message>
</context>
<context>
    <name>PortList</name>
    <message>
        <source>Permission denied on %1: add your user to the dialout group</source>
        <translation>%1-ზე წვდომა აკრძალულია: დაამატეთ თქვენი მომხმარებელი dialout ჯგუფში</translation>
    </message>
    <message>
        <source>%1 is in use by another program: close it there first</source>
        <translation>%1 სხვა პროგრამას უჭირავს: ჯერ იქ დახურეთ</translation>
    </message>
    <message>
        <source>No port at %1: check the cable and the port name</source>
        <translation>%1-ზე პორტი არ არის: შეამოწმეთ კაბელი და პორტის სახელი</translation>
    </message>
    <message>
        <source>Cannot open %1</source>
        <translation>%1 ვერ გაიხსნა</translation>
    </message>
    <message>
        <source>Cannot open %1: %2</source>
        <translation>%1 ვერ გაიხსნა: %2</translation>
    </message>
</context>
<context>
    <name>Preflight</name>
    <message>
        <source>%1, frame %2: %3</source>
        <translation>%1, კადრი %2: %3</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>the file was removed after the send list was made.</source>
        <translation>ფაილი წაიშალა გასაგზავნი სიის შედგენის შემდეგ.</translation>
    </message>
    <message>
        <source>the file changed on disk after the send list was made.</source>
        <translation>ფაილი დისკზე შეიცვალა გასაგზავნი სიის შედგენის შემდეგ.</translation>
    </message>
    <message>
        <source>made for a %1 x %2 board (its widest frame windows), not for the %3 x %4 board of the %5 sign.</source>
        <translation>შექმნილია %1 x %2 ტაბლოსთვის (კადრის არეების მიხედვით) და არა „%5“ ტაბლოს %3 x %4 ზომისთვის.</translation>
    </message>
    <message>
        <source>made for a %1 x %2 board (its widest frame windows), not for the %3 x %4 board in use.</source>
        <translation>შექმნილია %1 x %2 ტაბლოსთვის (კადრის არეების მიხედვით) და არა მიმდინარე %3 x %4 ტაბლოსთვის.</translation>
    </message>
    <message>
        <source>no LED is lit.</source>
        <translation>არცერთი წერტილი არ ანთია.</translation>
    </message>
    <message>
        <source>its duration is 0 ms, so it shows only for a moment.</source>
        <translation>მისი ხანგრძლივობა 0 ms-ია, ამიტომ ის მხოლოდ წამიერად ჩანს.</translation>
    </message>
    <message>
        <source>it holds %1 bytes; a file sent to the board may hold at most %2.</source>
        <translation>მასში %1 ბაიტია; ტაბლოზე გაგზავნილ ფაილში შეიძლება იყოს არაუმეტეს %2.</translation>
    </message>
    <message>
        <source>The send list holds %1 files; a message carries at most %2.</source>
        <translation>გასაგზავნ სიაში %1 ფაილია; შეტყობინებას შეუძლია არაუმეტეს %2-ის გადატანა.</translation>
    </message>
    <message>
        <source>The message would carry %1 bytes; it may carry at most %2.</source>
        <translation>შეტყობინება %1 ბაიტს გადაიტანდა; შეუძლია არაუმეტეს %2-ის.</translation>
    </message>
    <message>
        <source>text was placed with characters its font lacks, shown as boxes: %1.</source>
        <translation>ტექსტი განთავსდა სიმბოლოებით, რომლებიც მის შრიფტს აკლია და უჯრებად ჩანს: %1.</translation>
    </message>
</context>
<context>
    <name>Prompter</name>
    <message>
        <source>Folders|*</source>
        <translation>საქაღალდეები|*</translation>
    </message>
    <message>
        <source>no bus</source>
        <translation>ავტობუსის გარეშე</translation>
    </message>
    <message>
        <source>bus </source>
        <translation>ავტობუსი </translation>
    </message>
    <message>
        <source>Send %1 files of the %2 sign to %3 on %4?</source>
        <translation>გავაგზავნოთ ტაბლოს „%2“ %1 ფაილი: %3, %4?</translation>
    </message>
</context>
<context>
    <name>ProofSheet</name>
    <message>
        <source>Appear</source>
        <translation>ანთებით</translation>
    </message>
    <message>
        <source>Slide up from below</source>
        <translation>ქვემოდან ამოცურებით</translation>
    </message>
    <message>
        <source>Slide in from the right</source>
        <translation>მარჯვნიდან შემოცურებით</translation>
    </message>
    <message>
        <source>Next frame</source>
        <translation>შემდ. კადრით ჩანაცვლებით</translation>
    </message>
    <message>
        <source>Slide up</source>
        <translation>ზევით აცურებით</translation>
    </message>
    <message>
        <source>Slide out to the left</source>
        <translation>მარცხნივ გაცურებით</translation>
    </message>
    <message>
        <source>Go dark</source>
        <translation>ჩაქრობით</translation>
    </message>
    <message>
        <source>Frame %1 · %2 s</source>
        <translation>კადრი %1 · %2 წმ</translation>
    </message>
    <message>
        <source>Start: </source>
        <translation>შესვლა: </translation>
    </message>
    <message>
        <source>End: </source>
        <translation>გასვლა: </translation>
    </message>
    <message>
        <source>page %1 of %2</source>
        <translation>გვერდი %1 / %2</translation>
    </message>
</context>
<context>
    <name>QComboBox</name>
    <message>
        <source>Frame window</source>
        <translation>კადრის არე</translation>
    </message>
    <message>
        <source>Selection</source>
        <translation>მონიშნული</translation>
    </message>
    <message>
        <source>Target</source>
        <translation>სამიზნე</translation>
    </message>
</context>
<context>
    <name>QtPrompter</name>
    <message>
        <source>Open set</source>
        <translation>ნაკრების გახსნა</translation>
    </message>
    <message>
        <source>A set file, or a set on a server:
postgresql://user@host/database?set=NAME</source>
        <translation>ნაკრების ფაილი, ან ნაკრები სერვერზე:
postgresql://user@host/database?set=NAME</translation>
    </message>
    <message>
        <source>postgresql://user@host/database?set=NAME</source>
        <translation>postgresql://user@host/database?set=NAME</translation>
    </message>
    <message>
        <source>File...</source>
        <translation>ფაილი...</translation>
    </message>
</context>
<context>
    <name>RecordView</name>
    <message>
        <source>Image record</source>
        <translation>გამოსახულების ჩანაწერი</translation>
    </message>
</context>
<context>
    <name>ReleaseDialog</name>
    <message>
        <source>Release</source>
        <translation>გამოშვება</translation>
    </message>
    <message>
        <source>Release folder</source>
        <translation>გამოშვების საქაღალდე</translation>
    </message>
    <message>
        <source>Made when it does not exist; the set remembers it for its next release</source>
        <translation>შეიქმნება, თუ არ არსებობს; ნაკრები დაიმახსოვრებს შემდეგი გამოშვებისთვის</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>არჩევა...</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>შენიშვნა</translation>
    </message>
    <message>
        <source>Kept with the version, e.g. winter timetable</source>
        <translation>ინახება ვერსიასთან, მაგ. ზამთრის განრიგი</translation>
    </message>
    <message>
        <source>Valid at once</source>
        <translation>ძალაშია მაშინვე</translation>
    </message>
    <message>
        <source>Valid from</source>
        <translation>ძალაშია თარიღიდან</translation>
    </message>
    <message>
        <source>The day the release counts from for the fleet; before it, the release before counts</source>
        <translation>დღე, საიდანაც გამოშვება ძალაშია ავტოპარკისთვის; მანამდე წინა გამოშვება მოქმედებს</translation>
    </message>
    <message>
        <source>Folder:</source>
        <translation>საქაღალდე:</translation>
    </message>
    <message>
        <source>Note:</source>
        <translation>შენიშვნა:</translation>
    </message>
    <message>
        <source>Valid from:</source>
        <translation>ძალაშია:</translation>
    </message>
    <message>
        <source>Folders|*</source>
        <translation>საქაღალდეები|*</translation>
    </message>
    <message>
        <source>PNG pictures</source>
        <translation>PNG სურათები</translation>
    </message>
    <message>
        <source>One PDF per sign</source>
        <translation>ერთი PDF თითო ტაბლოზე</translation>
    </message>
    <message>
        <source>Proof sheets</source>
        <translation>საკონტროლო ფურცლები</translation>
    </message>
    <message>
        <source>Each sign&apos;s proof sheet as PNG pictures of a page each, or as one PDF with a page each</source>
        <translation>ყოველი ტაბლოს საკონტროლო ფურცელი PNG სურათებად, თითო გვერდი თითო სურათზე, ან ერთ PDF-ად, თითო გვერდით</translation>
    </message>
    <message>
        <source>Proof sheets:</source>
        <translation>საკონტროლო ფურცლები:</translation>
    </message>
</context>
<context>
    <name>ReleaseReport</name>
    <message>
        <source>%1 and %2</source>
        <translation>%1 და %2</translation>
    </message>
    <message>
        <source>%1 on %2</source>
        <translation>%1 — %2</translation>
    </message>
    <message>
        <source>and %1 more</source>
        <translation>და კიდევ %1</translation>
    </message>
    <message>
        <source>%1 changed (%2)</source>
        <translation>შეიცვალა %1 (%2)</translation>
    </message>
    <message>
        <source>%1 new (%2)</source>
        <translation>ახალია %1 (%2)</translation>
    </message>
    <message>
        <source>%1 removed (%2)</source>
        <translation>წაიშალა %1 (%2)</translation>
    </message>
    <message>
        <source>all as in version %1</source>
        <translation>ყველა ისეა, როგორც ვერსია %1-ში</translation>
    </message>
    <message>
        <source>none as in version %1</source>
        <translation>არც ერთი არ არის ისე, როგორც ვერსია %1-ში</translation>
    </message>
    <message>
        <source>%1 as in version %2</source>
        <translation>%1 ისეა, როგორც ვერსია %2-ში</translation>
    </message>
    <message>
        <source>%1 image written</source>
        <translation>ჩაიწერა %1 გამოსახულება</translation>
    </message>
    <message>
        <source>%1 images written</source>
        <translation>ჩაიწერა %1 გამოსახულება</translation>
    </message>
    <message>
        <source>not kept as a version</source>
        <translation>ვერსიად არ შენახულა</translation>
    </message>
    <message>
        <source>the first release of the set</source>
        <translation>ნაკრების პირველი გამოშვება</translation>
    </message>
    <message>
        <source>Version %1: %2</source>
        <translation>ვერსია %1: %2</translation>
    </message>
    <message>
        <source>version %1</source>
        <translation>ვერსია %1</translation>
    </message>
</context>
<context>
    <name>RouteCsv</name>
    <message>
        <source>line %1: %2</source>
        <translation>სტრიქონი %1: %2</translation>
    </message>
    <message>
        <source>a quoted field is not closed before the end of the file</source>
        <translation>ბრჭყალებში ჩასმული ველი ფაილის ბოლომდე არ იხურება</translation>
    </message>
    <message>
        <source>more than %1 rows</source>
        <translation>%1-ზე მეტი მწკრივი</translation>
    </message>
    <message>
        <source>a quoted field must end at a comma or at the end of the line</source>
        <translation>ბრჭყალებში ჩასმული ველი მძიმით ან სტრიქონის ბოლოთი უნდა მთავრდებოდეს</translation>
    </message>
    <message>
        <source>a quote inside a field that does not begin with one (quote the whole field and double the quote)</source>
        <translation>ბრჭყალი ველში, რომელიც ბრჭყალით არ იწყება (ჩასვით მთელი ველი ბრჭყალებში და ბრჭყალი გააორმაგეთ)</translation>
    </message>
    <message>
        <source>the column &quot;%1&quot; is named twice</source>
        <translation>სვეტი „%1“ ორჯერ არის დასახელებული</translation>
    </message>
    <message>
        <source>the header names no column &quot;%1&quot; (it names: %2)</source>
        <translation>სათაურში სვეტი „%1“ არ არის (მასშია: %2)</translation>
    </message>
    <message>
        <source>the columns &quot;via&quot; and &quot;%1&quot; both give the stops; &quot;via&quot; is the older name of &quot;via_ka&quot; and &quot;via_en&quot;</source>
        <translation>სვეტები „via“ და „%1“ ორივე გაჩერებებს ასახელებს; „via“ არის „via_ka“-სა და „via_en“-ის ძველი სახელი</translation>
    </message>
    <message>
        <source>%1 fields, but the header names %2 columns</source>
        <translation>%1 ველი, სათაურში კი %2 სვეტია</translation>
    </message>
    <message>
        <source>the text is not UTF-8</source>
        <translation>ტექსტი UTF-8 არ არის</translation>
    </message>
    <message>
        <source>Cannot read route list &quot;%1&quot;: %2</source>
        <translation>მარშრუტების სია „%1“ ვერ იკითხება: %2</translation>
    </message>
</context>
<context>
    <name>ScopedConnection</name>
    <message>
        <source>Qt&apos;s SQLite driver is not installed (libqt6sql6-sqlite)</source>
        <translation>Qt-ის SQLite დრაივერი დაყენებული არ არის (libqt6sql6-sqlite)</translation>
    </message>
</context>
<context>
    <name>SendDialog</name>
    <message>
        <source>Send</source>
        <translation>გაგზავნა</translation>
    </message>
    <message>
        <source>1 released file of the %1 sign goes to:</source>
        <translation>ტაბლოს „%1“ 1 გამოშვებული ფაილი იგზავნება:</translation>
    </message>
    <message>
        <source>%1 released files of the %2 sign go to:</source>
        <translation>ტაბლოს „%2“ %1 გამოშვებული ფაილი იგზავნება:</translation>
    </message>
    <message>
        <source>The bus number, for the journal</source>
        <translation>ავტობუსის ნომერი ჟურნალისთვის</translation>
    </message>
    <message>
        <source>Bus number</source>
        <translation>ავტობუსის ნომერი</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>პორტი</translation>
    </message>
    <message>
        <source>Bus:</source>
        <translation>ავტობუსი:</translation>
    </message>
    <message>
        <source>Port:</source>
        <translation>პორტი:</translation>
    </message>
</context>
<context>
    <name>SendJob</name>
    <message>
        <source>Port was not opened</source>
        <translation>პორტი არ გაიხსნა</translation>
    </message>
    <message>
        <source>Preparing</source>
        <translation>მომზადება</translation>
    </message>
    <message>
        <source>No files selected</source>
        <translation>ფაილები არჩეული არ არის</translation>
    </message>
    <message>
        <source>Nothing was sent. %1</source>
        <translation>არაფერი გაიგზავნა. %1</translation>
    </message>
    <message>
        <source>Sending</source>
        <translation>იგზავნება</translation>
    </message>
</context>
<context>
    <name>SendJournal</name>
    <message>
        <source>Bus %1</source>
        <translation>ავტობუსი %1</translation>
    </message>
    <message>
        <source>Bus %1, %2 sign</source>
        <translation>ავტობუსი %1, ტაბლო %2</translation>
    </message>
    <message>
        <source>%1: no send that the board took is on record.</source>
        <translation>%1: ტაბლოს მიერ მიღებული გაგზავნა ჟურნალში არ არის.</translation>
    </message>
    <message>
        <source>%1: version %2 of %3, sent %4 (%5).</source>
        <translation>%1: %3-ის ვერსია %2, გაგზავნილია %4 (%5).</translation>
    </message>
    <message>
        <source>its set</source>
        <translation>მისი ნაკრები</translation>
    </message>
    <message>
        <source>%1: %2, sent %3, from no release.</source>
        <translation>%1: %2, გაგზავნილია %3, არცერთი გამოშვებიდან.</translation>
    </message>
    <message>
        <source>The send journal %1 cannot be read: %2</source>
        <translation>გაგზავნის ჟურნალი %1 ვერ იკითხება: %2</translation>
    </message>
    <message>
        <source>it was written by a newer Vexel Image (journal version %1)</source>
        <translation>ის Vexel Image-ის უფრო ახალმა ვერსიამ ჩაწერა (ჟურნალის ვერსია %1)</translation>
    </message>
    <message>
        <source>The send journal %1 could not be written: %2</source>
        <translation>გაგზავნის ჟურნალში %1 ჩაწერა ვერ მოხერხდა: %2</translation>
    </message>
</context>
<context>
    <name>SendPanel</name>
    <message>
        <source>What the data length counts</source>
        <translation>რას ითვლის მონაცემთა სიგრძე</translation>
    </message>
    <message>
        <source>the whole message; its %1</source>
        <translation>მთელი შეტყობინება; მისი %1</translation>
    </message>
    <message>
        <source>the files with their counts; %1, %2</source>
        <translation>ფაილები თავიანთი რაოდენობებით; %1, %2</translation>
    </message>
    <message>
        <source>Image files</source>
        <translation>გამოსახულების ფაილები</translation>
    </message>
    <message>
        <source>Add the chosen files to the send list</source>
        <translation>არჩეული ფაილების დამატება გასაგზავნ სიაში</translation>
    </message>
    <message>
        <source>Add to send list</source>
        <translation>გასაგზავნ სიაში დამატება</translation>
    </message>
    <message>
        <source>Remove the chosen files from the send list</source>
        <translation>არჩეული ფაილების წაშლა გასაგზავნი სიიდან</translation>
    </message>
    <message>
        <source>Remove from send list</source>
        <translation>გასაგზავნი სიიდან წაშლა</translation>
    </message>
    <message>
        <source>Send list</source>
        <translation>გასაგზავნი სია</translation>
    </message>
    <message>
        <source>Up</source>
        <translation>ზემოთ</translation>
    </message>
    <message>
        <source>Down</source>
        <translation>ქვემოთ</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>შეჩერება</translation>
    </message>
    <message>
        <source>Rd</source>
        <translation>წაკ.</translation>
    </message>
    <message>
        <source>Send</source>
        <translation>გაგზავნა</translation>
    </message>
    <message>
        <source>Show the Test window</source>
        <translation>ტესტის ფანჯრის ჩვენება</translation>
    </message>
    <message>
        <source>Test window</source>
        <translation>ტესტის ფანჯარა</translation>
    </message>
    <message>
        <source>Count the data length</source>
        <translation>მონაცემთა სიგრძის დათვლა</translation>
    </message>
    <message>
        <source>Count data length</source>
        <translation>სიგრძის დათვლა</translation>
    </message>
    <message>
        <source>Files: 0</source>
        <translation>ფაილები: 0</translation>
    </message>
    <message>
        <source>Data length: </source>
        <translation>მონაცემთა სიგრძე: </translation>
    </message>
    <message>
        <source>Bus number</source>
        <translation>ავტობუსის ნომერი</translation>
    </message>
    <message>
        <source>The bus the files are sent to, for the journal (optional)</source>
        <translation>ავტობუსი, რომელზეც ფაილები იგზავნება, ჟურნალისთვის (არასავალდებულო)</translation>
    </message>
    <message>
        <source>Bus:</source>
        <translation>ავტობუსი:</translation>
    </message>
    <message>
        <source>Data length: %1</source>
        <translation>მონაცემთა სიგრძე: %1</translation>
    </message>
    <message>
        <source>Files: %1</source>
        <translation>ფაილები: %1</translation>
    </message>
    <message>
        <source>Before sending, please check:</source>
        <translation>გაგზავნამდე შეამოწმეთ:</translation>
    </message>
    <message>
        <source>Send anyway</source>
        <translation>მაინც გაგზავნა</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>გაუქმება</translation>
    </message>
</context>
<context>
    <name>SerialLink</name>
    <message>
        <source>No port chosen</source>
        <translation>პორტი არჩეული არ არის</translation>
    </message>
    <message>
        <source>Baud rate &quot;%1&quot; is not a number</source>
        <translation>სიჩქარე „%1“ რიცხვი არ არის</translation>
    </message>
    <message>
        <source>Sending</source>
        <translation>იგზავნება</translation>
    </message>
    <message>
        <source>Stopped</source>
        <translation>შეჩერებულია</translation>
    </message>
    <message>
        <source>Wait for reply</source>
        <translation>პასუხის მოლოდინი</translation>
    </message>
    <message>
        <source>Connection Error</source>
        <translation>შეერთების შეცდომა</translation>
    </message>
</context>
<context>
    <name>ServerAddress</name>
    <message>
        <source>the user has a % not followed by two hex digits</source>
        <translation>მომხმარებლის სახელში % ორ თექვსმეტობით ციფრს არ უსწრებს</translation>
    </message>
    <message>
        <source>the user is not UTF-8</source>
        <translation>მომხმარებლის სახელი UTF-8 არ არის</translation>
    </message>
    <message>
        <source>the user holds a control character</source>
        <translation>მომხმარებლის სახელში მმართველი სიმბოლოა</translation>
    </message>
    <message>
        <source>the password has a % not followed by two hex digits</source>
        <translation>პაროლში % ორ თექვსმეტობით ციფრს არ უსწრებს</translation>
    </message>
    <message>
        <source>the password is not UTF-8</source>
        <translation>პაროლი UTF-8 არ არის</translation>
    </message>
    <message>
        <source>the password holds a control character</source>
        <translation>პაროლში მმართველი სიმბოლოა</translation>
    </message>
    <message>
        <source>the host has a % not followed by two hex digits</source>
        <translation>ჰოსტის სახელში % ორ თექვსმეტობით ციფრს არ უსწრებს</translation>
    </message>
    <message>
        <source>the host is not UTF-8</source>
        <translation>ჰოსტის სახელი UTF-8 არ არის</translation>
    </message>
    <message>
        <source>the host holds a control character</source>
        <translation>ჰოსტის სახელში მმართველი სიმბოლოა</translation>
    </message>
    <message>
        <source>the parameter&apos;s value has a % not followed by two hex digits</source>
        <translation>პარამეტრის მნიშვნელობაში % ორ თექვსმეტობით ციფრს არ უსწრებს</translation>
    </message>
    <message>
        <source>the parameter&apos;s value is not UTF-8</source>
        <translation>პარამეტრის მნიშვნელობა UTF-8 არ არის</translation>
    </message>
    <message>
        <source>the parameter&apos;s value holds a control character</source>
        <translation>პარამეტრის მნიშვნელობაში მმართველი სიმბოლოა</translation>
    </message>
    <message>
        <source>the database has a % not followed by two hex digits</source>
        <translation>მონაცემთა ბაზის სახელში % ორ თექვსმეტობით ციფრს არ უსწრებს</translation>
    </message>
    <message>
        <source>the database is not UTF-8</source>
        <translation>მონაცემთა ბაზის სახელი UTF-8 არ არის</translation>
    </message>
    <message>
        <source>the database holds a control character</source>
        <translation>მონაცემთა ბაზის სახელში მმართველი სიმბოლოა</translation>
    </message>
    <message>
        <source>the port must be a whole number from %1 to %2, not &quot;%3&quot;</source>
        <translation>პორტი უნდა იყოს მთელი რიცხვი %1-დან %2-მდე და არა „%3“</translation>
    </message>
    <message>
        <source>the password cannot be read</source>
        <translation>პაროლი ვერ იკითხება</translation>
    </message>
    <message>
        <source>an address in [ ] is not closed</source>
        <translation>[ ]-ში ჩასმული მისამართი არ იხურება</translation>
    </message>
    <message>
        <source>the host is followed by something other than :port</source>
        <translation>ჰოსტს :პორტის ნაცვლად სხვა რამ მოსდევს</translation>
    </message>
    <message>
        <source>the parameter &quot;%1&quot; has no name=value</source>
        <translation>პარამეტრს „%1“ name=value სახე არ აქვს</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>it names a set, where a database is asked for; leave out set=</source>
        <translation>ის ნაკრებს ასახელებს, საჭიროა კი მონაცემთა ბაზა; ამოიღეთ set=</translation>
    </message>
    <message>
        <source>it names the host twice</source>
        <translation>ის ჰოსტს ორჯერ ასახელებს</translation>
    </message>
    <message>
        <source>the connect_timeout must be a whole number from %1 to %2, not &quot;%3&quot;</source>
        <translation>connect_timeout უნდა იყოს მთელი რიცხვი %1-დან %2-მდე და არა „%3“</translation>
    </message>
    <message>
        <source>%1: a value cannot hold ;</source>
        <translation>%1: მნიშვნელობაში ; ვერ იქნება</translation>
    </message>
    <message>
        <source>the parameter &quot;%1&quot; is not one Vexel Image passes on</source>
        <translation>პარამეტრს „%1“ Vexel Image არ გადასცემს</translation>
    </message>
    <message>
        <source>it names more than one host; name one</source>
        <translation>ის ერთზე მეტ ჰოსტს ასახელებს; დაასახელეთ ერთი</translation>
    </message>
    <message>
        <source>the host &quot;%1&quot; is neither a name, an address nor a socket folder (beginning with /)</source>
        <translation>ჰოსტი „%1“ არც სახელია, არც მისამართი და არც სოკეტის საქაღალდე (რომელიც /-ით იწყება)</translation>
    </message>
    <message>
        <source>it names no set: add ?set=NAME</source>
        <translation>ის ნაკრებს არ ასახელებს: დაუმატეთ ?set=NAME</translation>
    </message>
    <message>
        <source>the set&apos;s name must be 1 to 63 lower-case letters, digits and _, beginning with a letter, and not pg_...</source>
        <translation>ნაკრების სახელი უნდა იყოს 1-დან 63-მდე პატარა ლათინური ასო, ციფრი და _, უნდა იწყებოდეს ასოთი და არ უნდა იყოს pg_...</translation>
    </message>
    <message>
        <source>it names no host (a name, an address, or ?host=/socket/folder)</source>
        <translation>ის ჰოსტს არ ასახელებს (სახელს, მისამართს ან ?host=/socket/folder)</translation>
    </message>
    <message>
        <source>Not a server address: %1</source>
        <translation>სერვერის მისამართი არ არის: %1</translation>
    </message>
    <message>
        <source>it is longer than %1 characters</source>
        <translation>ის %1 სიმბოლოზე გრძელია</translation>
    </message>
    <message>
        <source>it must begin with postgresql://</source>
        <translation>ის postgresql://-ით უნდა იწყებოდეს</translation>
    </message>
    <message>
        <source>an @ comes after a / or ?: write a /, ? or @ of a user name, a password or a parameter&apos;s value as %2F, %3F or %40</source>
        <translation>@ დგას / ან ?-ის შემდეგ: მომხმარებლის სახელში, პაროლში ან პარამეტრის მნიშვნელობაში /, ? ან @ ჩაწერეთ როგორც %2F, %3F ან %40</translation>
    </message>
    <message>
        <source>it names no database (postgresql://host/database)</source>
        <translation>ის მონაცემთა ბაზას არ ასახელებს (postgresql://host/database)</translation>
    </message>
</context>
<context>
    <name>ServerWatch</name>
    <message>
        <source>the server did not answer within 1 second; the connection was closed</source>
        <translation>სერვერმა 1 წამში არ უპასუხა; კავშირი დაიხურა</translation>
    </message>
    <message>
        <source>the server did not answer within %1 seconds; the connection was closed</source>
        <translation>სერვერმა %1 წამში არ უპასუხა; კავშირი დაიხურა</translation>
    </message>
</context>
<context>
    <name>SetCatalogue</name>
    <message>
        <source>it gives every role (PUBLIC) %1, which Vexel Image never gives; a database administrator sets them again with vexel db grant</source>
        <translation>ის ყველა როლს (PUBLIC) აძლევს %1-ს, რასაც Vexel Image არასდროს აძლევს; მონაცემთა ბაზის ადმინისტრატორი უფლებებს ხელახლა აყენებს ბრძანებით vexel db grant</translation>
    </message>
    <message>
        <source>it lets %1 pass %2 on to others, which Vexel Image never does; a database administrator sets them again with vexel db grant</source>
        <translation>ის %1-ს %2-ის სხვებისთვის გადაცემის ნებას აძლევს, რასაც Vexel Image არასდროს აკეთებს; მონაცემთა ბაზის ადმინისტრატორი უფლებებს ხელახლა აყენებს ბრძანებით vexel db grant</translation>
    </message>
    <message>
        <source>it gives %1 %2, which Vexel Image does not give; a database administrator sets them again with vexel db grant</source>
        <translation>ის %1-ს აძლევს %2-ს, რასაც Vexel Image არ აძლევს; მონაცემთა ბაზის ადმინისტრატორი უფლებებს ხელახლა აყენებს ბრძანებით vexel db grant</translation>
    </message>
    <message>
        <source>%1 lacks %2, which the right to edit the set takes; a database administrator sets them again with vexel db grant</source>
        <translation>%1-ს აკლია %2, რასაც ნაკრების რედაქტირების უფლება მოითხოვს; მონაცემთა ბაზის ადმინისტრატორი უფლებებს ხელახლა აყენებს ბრძანებით vexel db grant</translation>
    </message>
    <message>
        <source>%1 lacks %2, which the right to read the set takes; a database administrator sets them again with vexel db grant</source>
        <translation>%1-ს აკლია %2, რასაც ნაკრების წაკითხვის უფლება მოითხოვს; მონაცემთა ბაზის ადმინისტრატორი უფლებებს ხელახლა აყენებს ბრძანებით vexel db grant</translation>
    </message>
    <message>
        <source>it has an %1 &quot;%2&quot; that Vexel Image does not make; a database administrator must remove it</source>
        <translation>მასში არის ობიექტი (%1) „%2“, რომელსაც Vexel Image არ ქმნის; მონაცემთა ბაზის ადმინისტრატორმა ის უნდა წაშალოს</translation>
    </message>
    <message>
        <source>it has a %1 &quot;%2&quot; that Vexel Image does not make; a database administrator must remove it</source>
        <translation>მასში არის ობიექტი (%1) „%2“, რომელსაც Vexel Image არ ქმნის; მონაცემთა ბაზის ადმინისტრატორმა ის უნდა წაშალოს</translation>
    </message>
    <message>
        <source>it has an %1 &quot;%2&quot; on %3 that Vexel Image does not make; a database administrator must remove it</source>
        <translation>მასში არის ობიექტი (%1) „%2“ %3-ზე, რომელსაც Vexel Image არ ქმნის; მონაცემთა ბაზის ადმინისტრატორმა ის უნდა წაშალოს</translation>
    </message>
    <message>
        <source>it has a %1 &quot;%2&quot; on %3 that Vexel Image does not make; a database administrator must remove it</source>
        <translation>მასში არის ობიექტი (%1) „%2“ %3-ზე, რომელსაც Vexel Image არ ქმნის; მონაცემთა ბაზის ადმინისტრატორმა ის უნდა წაშალოს</translation>
    </message>
    <message>
        <source>its %1 &quot;%2&quot; belongs to %3 rather than %4, and code an owner attaches runs as whoever edits the set; a database administrator brings it under %4 with vexel db init</source>
        <translation>მისი ობიექტი (%1) „%2“ ეკუთვნის %3-ს და არა %4-ს, მფლობელის მიერ მიმაგრებული კოდი კი ნაკრების ნებისმიერი რედაქტორის სახელით სრულდება; მონაცემთა ბაზის ადმინისტრატორი მას %4-ს გადასცემს ბრძანებით vexel db init</translation>
    </message>
    <message>
        <source>its %1 &quot;%2&quot; is not as Vexel Image makes it; a database administrator must put it back as it was</source>
        <translation>მისი ობიექტი (%1) „%2“ ისეთი არ არის, როგორსაც Vexel Image ქმნის; მონაცემთა ბაზის ადმინისტრატორმა ის პირვანდელ სახეს უნდა დაუბრუნოს</translation>
    </message>
    <message>
        <source>its %1 &quot;%2&quot; on %3 is not as Vexel Image makes it; a database administrator must put it back as it was</source>
        <translation>მისი ობიექტი (%1) „%2“ %3-ზე ისეთი არ არის, როგორსაც Vexel Image ქმნის; მონაცემთა ბაზის ადმინისტრატორმა ის პირვანდელ სახეს უნდა დაუბრუნოს</translation>
    </message>
    <message>
        <source>it has no %1 &quot;%2&quot;</source>
        <translation>მას არ აქვს ობიექტი (%1) „%2“</translation>
    </message>
    <message>
        <source>it has no function &quot;%1&quot; yet; a database administrator adds it with vexel db init</source>
        <translation>მას ჯერ არ აქვს ფუნქცია „%1“; მონაცემთა ბაზის ადმინისტრატორი მას ამატებს ბრძანებით vexel db init</translation>
    </message>
    <message>
        <source>what a set holds cannot be worked out on this server: %1</source>
        <translation>ამ სერვერზე ვერ დგინდება, რას შეიცავს ნაკრები: %1</translation>
    </message>
</context>
<context>
    <name>SetCopy</name>
    <message>
        <source>Cannot copy destination set &quot;%1&quot; to &quot;%2&quot;: </source>
        <translation>დანიშნულებების ნაკრების „%1“ ასლი „%2“-ში ვერ იქმნება: </translation>
    </message>
    <message>
        <source>it has no table &quot;%1&quot;</source>
        <translation>მას ცხრილი „%1“ არ აქვს</translation>
    </message>
    <message>
        <source>the set&apos;s id did not come across</source>
        <translation>ნაკრების იდენტიფიკატორი არ გადმოვიდა</translation>
    </message>
    <message>
        <source>its table &quot;%1&quot; is not one a copy knows</source>
        <translation>მისი ცხრილი „%1“ ასლისთვის უცნობია</translation>
    </message>
    <message>
        <source>Cannot copy destination set: %1</source>
        <translation>დანიშნულებების ნაკრების კოპირება ვერ ხერხდება: %1</translation>
    </message>
</context>
<context>
    <name>SetCsv</name>
    <message>
        <source>%1: line %2, code %3: </source>
        <translation>%1: სტრიქონი %2, კოდი %3: </translation>
    </message>
    <message>
        <source>the code is on line %1 already</source>
        <translation>კოდი უკვე არის სტრიქონ %1-ზე</translation>
    </message>
</context>
<context>
    <name>SetMerge</name>
    <message>
        <source>Cannot merge: </source>
        <translation>შერწყმა ვერ ხერხდება: </translation>
    </message>
    <message>
        <source>Cannot merge &quot;%1&quot; into &quot;%2&quot;: </source>
        <translation>„%1“ „%2“-ში ვერ ერწყმის: </translation>
    </message>
    <message>
        <source>%1 has an image made by hand for the sign %2, which the server set does not have; not merged</source>
        <translation>%1-ს აქვს ხელით შექმნილი გამოსახულება ტაბლოსთვის %2, რომელიც სერვერის ნაკრებს არ აქვს; არ შეერწყა</translation>
    </message>
    <message>
        <source>%1&apos;s image made by hand does not fit the server&apos;s sign %2; not merged</source>
        <translation>%1-ის ხელით შექმნილი გამოსახულება სერვერის ტაბლოზე %2 არ ეტევა; არ შეერწყა</translation>
    </message>
    <message>
        <source>%1 was changed on the server since the copy; not merged</source>
        <translation>%1 ასლის შექმნის შემდეგ სერვერზე შეიცვალა; არ შეერწყა</translation>
    </message>
    <message>
        <source>%1 was removed on the server since the copy; not merged</source>
        <translation>%1 ასლის შექმნის შემდეგ სერვერზე წაიშალა; არ შეერწყა</translation>
    </message>
    <message>
        <source>%1 was added on the server too since the copy; not merged</source>
        <translation>%1 ასლის შექმნის შემდეგ სერვერზეც დაემატა; არ შეერწყა</translation>
    </message>
    <message>
        <source>destination %1 is not there after it was written</source>
        <translation>დანიშნულება %1 ჩაწერის შემდეგ არ არსებობს</translation>
    </message>
    <message>
        <source>Cannot merge: the offline copy is a set in a file, not on a server</source>
        <translation>შერწყმა ვერ ხერხდება: ოფლაინ ასლი ფაილში არსებული ნაკრებია და არა სერვერზე</translation>
    </message>
    <message>
        <source>Cannot merge: the set to merge into is on a server (postgresql://...?set=NAME)</source>
        <translation>შერწყმა ვერ ხერხდება: ნაკრები, რომელსაც ერწყმის, სერვერზეა (postgresql://...?set=NAME)</translation>
    </message>
    <message>
        <source>it is not an offline copy of a server set (vexel set copy makes one)</source>
        <translation>ის სერვერის ნაკრების ოფლაინ ასლი არ არის (მას vexel set copy ქმნის)</translation>
    </message>
    <message>
        <source>it is a copy of another set (%1), not of this one</source>
        <translation>ის სხვა ნაკრების (%1) ასლია და არა ამისი</translation>
    </message>
    <message>
        <source>The server set has the changes, but the copy could not record it (%1); make a new copy before working offline again</source>
        <translation>სერვერის ნაკრებში ცვლილებები შევიდა, მაგრამ ასლმა ეს ვერ ჩაიწერა (%1); ოფლაინ მუშაობამდე ახალი ასლი შექმენით</translation>
    </message>
</context>
<context>
    <name>SetOwner</name>
    <message>
        <source>only a member of %1, which owns the sets, may do this (%2)</source>
        <translation>ამის გაკეთება მხოლოდ %1-ის წევრს შეუძლია, რომელიც ნაკრებების მფლობელია (%2)</translation>
    </message>
    <message>
        <source>sets on this server are made by members of %1, and the database role %2 is none; a database administrator runs vexel db init and grants %1 to the depots&apos; administrators</source>
        <translation>ამ სერვერზე ნაკრებებს %1-ის წევრები ქმნიან, მონაცემთა ბაზის როლი %2 კი წევრი არ არის; მონაცემთა ბაზის ადმინისტრატორი უშვებს vexel db init-ს და %1-ს დეპოების ადმინისტრატორებს ანიჭებს</translation>
    </message>
</context>
<context>
    <name>SetRelease</name>
    <message>
        <source>Version %1 cannot be written: %2</source>
        <translation>ვერსია %1 ვერ იწერება: %2</translation>
    </message>
    <message>
        <source>The folder cannot be made.</source>
        <translation>საქაღალდე ვერ იქმნება.</translation>
    </message>
    <message>
        <source>The images were written, but the release was not kept in the set: %1</source>
        <translation>გამოსახულებები ჩაიწერა, მაგრამ გამოშვება ნაკრებში არ შეინახა: %1</translation>
    </message>
    <message>
        <source>Cannot release &quot;%1&quot;: </source>
        <translation>„%1“-ის გამოშვება ვერ ხერხდება: </translation>
    </message>
    <message>
        <source>The release was stopped.</source>
        <translation>გამოშვება შეწყდა.</translation>
    </message>
</context>
<context>
    <name>SetRights</name>
    <message>
        <source>there is no role %1 on the server</source>
        <translation>სერვერზე როლი %1 არ არსებობს</translation>
    </message>
    <message>
        <source>the database has no set &quot;%1&quot;</source>
        <translation>მონაცემთა ბაზაში ნაკრები „%1“ არ არის</translation>
    </message>
    <message>
        <source>the schema &quot;%1&quot; is not a destination set</source>
        <translation>სქემა „%1“ დანიშნულებების ნაკრები არ არის</translation>
    </message>
    <message>
        <source>it belongs to %1 rather than %2; a database administrator brings it under %2 with vexel db init first</source>
        <translation>ის ეკუთვნის %1-ს და არა %2-ს; მონაცემთა ბაზის ადმინისტრატორი მას ჯერ %2-ს გადასცემს ბრძანებით vexel db init</translation>
    </message>
    <message>
        <source>%1 has no %2</source>
        <translation>%1-ს არ აქვს %2</translation>
    </message>
    <message>
        <source>%1 still has %2</source>
        <translation>%1-ს ჯერ კიდევ აქვს %2</translation>
    </message>
    <message>
        <source>PUBLIC stands for every role, so anyone who may connect would get the set; name the role to grant to</source>
        <translation>PUBLIC ყველა როლს ნიშნავს, ამიტომ ნაკრებს ნებისმიერი მიიღებდა, ვისაც დაკავშირება შეუძლია; დაასახელეთ როლი, რომელსაც უფლებას აძლევთ</translation>
    </message>
    <message>
        <source>the role&apos;s name must be 1 to 63 lower-case letters, digits and _, not &quot;%1&quot;</source>
        <translation>როლის სახელი უნდა იყოს 1-დან 63-მდე პატარა ლათინური ასო, ციფრი და _ და არა „%1“</translation>
    </message>
    <message>
        <source>roles beginning with pg_ are the server&apos;s own</source>
        <translation>pg_-ით დაწყებული როლები სერვერის საკუთარია</translation>
    </message>
    <message>
        <source>%1 owns every set already</source>
        <translation>%1 უკვე ყველა ნაკრების მფლობელია</translation>
    </message>
    <message>
        <source>Cannot grant: %1</source>
        <translation>უფლების მინიჭება ვერ ხერხდება: %1</translation>
    </message>
    <message>
        <source>Cannot grant %1 rights on &quot;%2&quot;: %3</source>
        <translation>%1-ისთვის „%2“-ზე უფლებების მინიჭება ვერ ხერხდება: %3</translation>
    </message>
    <message>
        <source>the rights did not take: %1</source>
        <translation>უფლებები არ ამოქმედდა: %1</translation>
    </message>
</context>
<context>
    <name>SetSchema</name>
    <message>
        <source>the database gave no reason</source>
        <translation>მონაცემთა ბაზამ მიზეზი არ დაასახელა</translation>
    </message>
    <message>
        <source>there is no step from set version %1</source>
        <translation>ნაკრების ვერსიიდან %1 განახლების საფეხური არ არსებობს</translation>
    </message>
    <message>
        <source>its %1 &quot;%2&quot; is not the one a destination set has</source>
        <translation>მისი ობიექტი (%1) „%2“ ისეთი არ არის, როგორიც დანიშნულებების ნაკრებს აქვს</translation>
    </message>
    <message>
        <source>it carries a %1 &quot;%2&quot; of its own, which a destination set never has</source>
        <translation>მას აქვს საკუთარი ობიექტი (%1) „%2“, რომელიც დანიშნულებების ნაკრებს არასდროს აქვს</translation>
    </message>
    <message>
        <source>it has no %1 &quot;%2&quot;</source>
        <translation>მას არ აქვს ობიექტი (%1) „%2“</translation>
    </message>
</context>
<context>
    <name>SetSend</name>
    <message>
        <source>No destination is chosen to send.</source>
        <translation>გასაგზავნად არც ერთი დანიშნულება არ არის არჩეული.</translation>
    </message>
    <message>
        <source>%1 destinations are chosen; one DATA message carries at most %2 files, and the board plays every one of them in turn. Choose the destinations the bus will serve.</source>
        <translation>არჩეულია %1 დანიშნულება; ერთ DATA შეტყობინებას მაქსიმუმ %2 ფაილი გადააქვს და ტაბლო თითოეულს რიგრიგობით აჩვენებს. აირჩიეთ დანიშნულებები, რომლებსაც ავტობუსი მოემსახურება.</translation>
    </message>
    <message>
        <source>The release folder %1 is not at hand.</source>
        <translation>გამოშვების საქაღალდე %1 ხელმისაწვდომი არ არის.</translation>
    </message>
    <message>
        <source>%1 has no %2: it is not a release folder.</source>
        <translation>%1-ში %2 არ არის: ეს გამოშვების საქაღალდე არ არის.</translation>
    </message>
    <message>
        <source>%1 holds a release of another set than this one.</source>
        <translation>%1-ში სხვა ნაკრების გამოშვებაა და არა ამისი.</translation>
    </message>
    <message>
        <source>%1 holds a release of another set than bus %2&apos;s.</source>
        <translation>%1-ში სხვა ნაკრების გამოშვებაა და არა ავტობუს %2-ისა.</translation>
    </message>
    <message>
        <source>%1 holds version %2, not the latest version %3.</source>
        <translation>%1-ში ვერსია %2-ია და არა უახლესი ვერსია %3.</translation>
    </message>
    <message>
        <source>%1 holds version none, not the latest version %2.</source>
        <translation>%1-ში არც ერთი ვერსია არ არის, უახლესი ვერსია კი %2-ია.</translation>
    </message>
</context>
<context>
    <name>SetWatch</name>
    <message>
        <source>Changes made elsewhere to %1 are not shown: %2</source>
        <translation>%1-ში სხვაგან შეტანილი ცვლილებები არ ჩანს: %2</translation>
    </message>
</context>
<context>
    <name>ShownWords</name>
    <message>
        <source>fits</source>
        <translation>ეტევა</translation>
    </message>
    <message>
        <source>two lines</source>
        <translation>ორ სტრიქონად</translation>
    </message>
    <message>
        <source>hyphen break</source>
        <translation>დეფისით გაყოფა</translation>
    </message>
    <message>
        <source>abbreviated</source>
        <translation>შემოკლებით</translation>
    </message>
    <message>
        <source>by hand</source>
        <translation>ხელით</translation>
    </message>
    <message>
        <source>stale</source>
        <translation>მოძველებული</translation>
    </message>
    <message>
        <source>does not fit</source>
        <translation>არ ეტევა</translation>
    </message>
    <message>
        <source>%1 rows</source>
        <translation>%1 მწკრივი</translation>
    </message>
    <message>
        <source>condensed %1</source>
        <translation>შევიწროებული %1</translation>
    </message>
    <message>
        <source>%1 pages</source>
        <translation>%1 გვერდი</translation>
    </message>
    <message>
        <source>added</source>
        <translation>დამატებულია</translation>
    </message>
    <message>
        <source>removed</source>
        <translation>წაშლილია</translation>
    </message>
    <message>
        <source>added by an import</source>
        <translation>დამატებულია იმპორტით</translation>
    </message>
    <message>
        <source>removed by an import</source>
        <translation>წაშლილია იმპორტით</translation>
    </message>
    <message>
        <source>unchanged</source>
        <translation>უცვლელია</translation>
    </message>
    <message>
        <source>by an import: %1</source>
        <translation>იმპორტით: %1</translation>
    </message>
    <message>
        <source>restored from version %1</source>
        <translation>აღდგენილია ვერსიიდან %1</translation>
    </message>
    <message>
        <source>image on %1 stored by hand</source>
        <translation>ტაბლოს %1 გამოსახულება შენახულია ხელით</translation>
    </message>
    <message>
        <source>%1 px condensed</source>
        <translation>შევიწროებული %1 px</translation>
    </message>
    <message>
        <source>%1 px</source>
        <translation>%1 px</translation>
    </message>
    <message>
        <source>There is no text to fit.</source>
        <translation>მოსარგები ტექსტი არ არის.</translation>
    </message>
    <message>
        <source>The font &quot;%1&quot; is not installed.</source>
        <translation>შრიფტი „%1“ დაყენებული არ არის.</translation>
    </message>
    <message>
        <source>The font lacks %1.</source>
        <translation>შრიფტს აკლია: %1.</translation>
    </message>
    <message>
        <source>No face of &quot;%1&quot; has every character of the text.</source>
        <translation>შრიფტის „%1“ არცერთ ზომას არ აქვს ტექსტის ყველა სიმბოლო.</translation>
    </message>
    <message>
        <source>Nothing fits %1 x %2: at %3 px with spacing %4 the text takes %5 x %6.</source>
        <translation>%1 x %2 არეში არაფერი ეტევა: %3 px სიმაღლით და %4 ასოთაშორისი მანძილით ტექსტს სჭირდება %5 x %6.</translation>
    </message>
    <message>
        <source>More than %1 pages.</source>
        <translation>%1 გვერდზე მეტი.</translation>
    </message>
    <message>
        <source>The route number does not fit: %1</source>
        <translation>მარშრუტის ნომერი არ ეტევა: %1</translation>
    </message>
    <message>
        <source>Number at %1.</source>
        <translation>ნომერი: %1.</translation>
    </message>
    <message>
        <source>The destination does not fit: %1</source>
        <translation>დანიშნულება არ ეტევა: %1</translation>
    </message>
    <message>
        <source>Destination on two lines at %1, spacing %2.</source>
        <translation>დანიშნულება ორ სტრიქონად: %1, ასოთაშორისი მანძილი %2.</translation>
    </message>
    <message>
        <source>Destination on one line at %1, spacing %2.</source>
        <translation>დანიშნულება ერთ სტრიქონად: %1, ასოთაშორისი მანძილი %2.</translation>
    </message>
    <message>
        <source>Number at %1, the destination does not fit: %2</source>
        <translation>ნომერი: %1; დანიშნულება არ ეტევა: %2</translation>
    </message>
    <message>
        <source>Number at %1, destination on two lines at %2, spacing %3.</source>
        <translation>ნომერი: %1; დანიშნულება ორ სტრიქონად: %2, ასოთაშორისი მანძილი %3.</translation>
    </message>
    <message>
        <source>Number at %1, destination on one line at %2, spacing %3.</source>
        <translation>ნომერი: %1; დანიშნულება ერთ სტრიქონად: %2, ასოთაშორისი მანძილი %3.</translation>
    </message>
    <message>
        <source>Upper line at %1, spacing %2, lower line at %3, spacing %4.</source>
        <translation>ზედა სტრიქონი: %1, ასოთაშორისი მანძილი %2; ქვედა სტრიქონი: %3, ასოთაშორისი მანძილი %4.</translation>
    </message>
    <message>
        <source>Upper line at %1, spacing %2, lower line does not fit.</source>
        <translation>ზედა სტრიქონი: %1, ასოთაშორისი მანძილი %2; ქვედა სტრიქონი არ ეტევა.</translation>
    </message>
    <message>
        <source>Upper line does not fit, lower line at %1, spacing %2.</source>
        <translation>ზედა სტრიქონი არ ეტევა; ქვედა სტრიქონი: %1, ასოთაშორისი მანძილი %2.</translation>
    </message>
    <message>
        <source>Upper line does not fit, lower line does not fit.</source>
        <translation>ზედა სტრიქონი არ ეტევა; ქვედა სტრიქონი არ ეტევა.</translation>
    </message>
    <message>
        <source>Upper line does not fit.</source>
        <translation>ზედა სტრიქონი არ ეტევა.</translation>
    </message>
    <message>
        <source>Lower line does not fit.</source>
        <translation>ქვედა სტრიქონი არ ეტევა.</translation>
    </message>
    <message>
        <source>Upper line at %1, spacing %2.</source>
        <translation>ზედა სტრიქონი: %1, ასოთაშორისი მანძილი %2.</translation>
    </message>
    <message>
        <source>Lower line at %1, spacing %2.</source>
        <translation>ქვედა სტრიქონი: %1, ასოთაშორისი მანძილი %2.</translation>
    </message>
    <message>
        <source>Upper line at %1, spacing %2, lower line at %3, spacing %4, the lines touch at every face.</source>
        <translation>ზედა სტრიქონი: %1, ასოთაშორისი მანძილი %2; ქვედა სტრიქონი: %3, ასოთაშორისი მანძილი %4; სტრიქონები ყველა ზომაზე ეხება ერთმანეთს.</translation>
    </message>
    <message>
        <source>Fitted on two lines at %1, spacing %2.</source>
        <translation>მორგებულია ორ სტრიქონად: %1, ასოთაშორისი მანძილი %2.</translation>
    </message>
    <message>
        <source>Fitted on two lines after the hyphen at %1, spacing %2.</source>
        <translation>მორგებულია ორ სტრიქონად, დეფისის შემდეგ: %1, ასოთაშორისი მანძილი %2.</translation>
    </message>
    <message>
        <source>Fitted at %1, spacing %2.</source>
        <translation>მორგებულია: %1, ასოთაშორისი მანძილი %2.</translation>
    </message>
    <message>
        <source>There is no text to lay out.</source>
        <translation>განსათავსებელი ტექსტი არ არის.</translation>
    </message>
    <message>
        <source>frame %1: %2</source>
        <translation>კადრი %1: %2</translation>
    </message>
    <message>
        <source>page %1: %2</source>
        <translation>გვერდი %1: %2</translation>
    </message>
    <message>
        <source>not even in pages: %1</source>
        <translation>გვერდებადაც არ ეტევა: %1</translation>
    </message>
    <message>
        <source>the layout of sign &quot;%1&quot;: %2</source>
        <translation>ტაბლოს „%1“ განლაგება: %2</translation>
    </message>
    <message>
        <source>the font lacks %1</source>
        <translation>შრიფტს აკლია: %1</translation>
    </message>
    <message>
        <source>the text reaches past the frame window</source>
        <translation>ტექსტი კადრის არეს სცდება</translation>
    </message>
    <message>
        <source>its pages take the image past %1 frames</source>
        <translation>მისი გვერდებით გამოსახულება %1 კადრს სცდება</translation>
    </message>
    <message>
        <source>%1 pages, at most %2</source>
        <translation>%1 გვერდი, მაქსიმუმ %2</translation>
    </message>
    <message>
        <source>the destination is empty in both scripts</source>
        <translation>დანიშნულება ორივე დამწერლობით ცარიელია</translation>
    </message>
    <message>
        <source>every frame of the layout uses an empty column</source>
        <translation>განლაგების ყველა კადრი ცარიელ სვეტს იყენებს</translation>
    </message>
    <message>
        <source>the route number is empty</source>
        <translation>მარშრუტის ნომერი ცარიელია</translation>
    </message>
    <message>
        <source>the route number holds a character a file name cannot hold</source>
        <translation>მარშრუტის ნომერში არის სიმბოლო, რომელიც ფაილის სახელში ვერ იქნება</translation>
    </message>
    <message>
        <source>the route number is longer than %1 characters</source>
        <translation>მარშრუტის ნომერი %1 სიმბოლოზე გრძელია</translation>
    </message>
    <message>
        <source>&quot;%1&quot; cannot name a file</source>
        <translation>„%1“ ფაილის სახელი ვერ იქნება</translation>
    </message>
    <message>
        <source>%1.font: the font &quot;%2&quot; is not installed</source>
        <translation>%1.font: შრიფტი „%2“ დაყენებული არ არის</translation>
    </message>
    <message>
        <source>%1.fallback_font: the font &quot;%2&quot; is not installed</source>
        <translation>%1.fallback_font: შრიფტი „%2“ დაყენებული არ არის</translation>
    </message>
    <message>
        <source>%1.number_font: the font &quot;%2&quot; is not installed</source>
        <translation>%1.number_font: შრიფტი „%2“ დაყენებული არ არის</translation>
    </message>
    <message>
        <source>%1.height: &quot;%2&quot; has no height %3</source>
        <translation>%1.height: „%2“-ს სიმაღლე %3 არ აქვს</translation>
    </message>
    <message>
        <source>the image is %1 x %2, the sign %3 x %4</source>
        <translation>გამოსახულებაა %1 x %2, ტაბლო კი %3 x %4</translation>
    </message>
    <message>
        <source>added in an offline copy</source>
        <translation>დაემატა ოფლაინ ასლში</translation>
    </message>
    <message>
        <source>removed in an offline copy</source>
        <translation>წაიშალა ოფლაინ ასლში</translation>
    </message>
    <message>
        <source>in an offline copy: images made by hand</source>
        <translation>ოფლაინ ასლში: ხელით შექმნილი გამოსახულებები</translation>
    </message>
    <message>
        <source>in an offline copy: %1</source>
        <translation>ოფლაინ ასლში: %1</translation>
    </message>
    <message>
        <source>image on %1 removed</source>
        <translation>ტაბლოს %1 გამოსახულება წაიშალა</translation>
    </message>
    <message>
        <source>in use</source>
        <translation>გამოიყენება</translation>
    </message>
    <message>
        <source>out of use</source>
        <translation>აღარ გამოიყენება</translation>
    </message>
    <message>
        <source>Latin suggested</source>
        <translation>ლათინური შეთავაზებულია</translation>
    </message>
    <message>
        <source>Latin accepted</source>
        <translation>ლათინური მიღებულია</translation>
    </message>
</context>
<context>
    <name>SignCommands</name>
    <message>
        <source>View</source>
        <translation>ხედი</translation>
    </message>
    <message>
        <source>Sign</source>
        <translation>ტაბლო</translation>
    </message>
    <message>
        <source>Play the image or the send list as the board will show it</source>
        <translation>გამოსახულების ან გასაგზავნი სიის ჩვენება ისე, როგორც ტაბლო აჩვენებს</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>ექსპორტი</translation>
    </message>
    <message>
        <source>Export stopped</source>
        <translation>ექსპორტი შეჩერდა</translation>
    </message>
    <message>
        <source>Exported %1</source>
        <translation>ექსპორტირებულია: %1</translation>
    </message>
    <message>
        <source>Frame as PNG, LED look...</source>
        <translation>კადრი PNG-ად, წერტილების სახით...</translation>
    </message>
    <message>
        <source>Frame as PNG, one pixel per LED...</source>
        <translation>კადრი PNG-ად, ერთი პიქსელი თითო წერტილზე...</translation>
    </message>
    <message>
        <source>Image as animated GIF...</source>
        <translation>გამოსახულება ანიმაციურ GIF-ად...</translation>
    </message>
    <message>
        <source>Send list as animated GIF...</source>
        <translation>გასაგზავნი სია ანიმაციურ GIF-ად...</translation>
    </message>
    <message>
        <source>Proof sheet of the image...</source>
        <translation>გამოსახულების საკონტროლო ფურცელი...</translation>
    </message>
    <message>
        <source>Proof sheet of the send list...</source>
        <translation>გასაგზავნი სიის საკონტროლო ფურცელი...</translation>
    </message>
    <message>
        <source>PNG picture|*.png</source>
        <translation>PNG სურათი|*.png</translation>
    </message>
    <message>
        <source>Animated GIF|*.gif</source>
        <translation>ანიმაციური GIF|*.gif</translation>
    </message>
    <message>
        <source>Proof sheet of the image as PDF...</source>
        <translation>გამოსახულების საკონტროლო ფურცელი PDF-ად...</translation>
    </message>
    <message>
        <source>Proof sheet of the send list as PDF...</source>
        <translation>გასაგზავნი სიის საკონტროლო ფურცელი PDF-ად...</translation>
    </message>
    <message>
        <source>PDF document|*.pdf</source>
        <translation>PDF დოკუმენტი|*.pdf</translation>
    </message>
</context>
<context>
    <name>SignPlayer</name>
    <message>
        <source>No destination chosen</source>
        <translation>დანიშნულება არ არის არჩეული</translation>
    </message>
    <message>
        <source>%1, no image</source>
        <translation>%1, გამოსახულების გარეშე</translation>
    </message>
    <message>
        <source>%1, frame %2 of %3</source>
        <translation>%1, კადრი %2 / %3</translation>
    </message>
</context>
<context>
    <name>SignTimeline</name>
    <message>
        <source>The send list is empty.</source>
        <translation>გასაგზავნი სია ცარიელია.</translation>
    </message>
</context>
<context>
    <name>SignView</name>
    <message>
        <source>Sign</source>
        <translation>ტაბლო</translation>
    </message>
</context>
<context>
    <name>SignWindow</name>
    <message>
        <source>Sign</source>
        <translation>ტაბლო</translation>
    </message>
    <message>
        <source>Position</source>
        <translation>პოზიცია</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>მდგომარეობა</translation>
    </message>
    <message>
        <source>Current image</source>
        <translation>მიმდინარე გამოსახულება</translation>
    </message>
    <message>
        <source>Send list</source>
        <translation>გასაგზავნი სია</translation>
    </message>
    <message>
        <source>Source</source>
        <translation>წყარო</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>პაუზა</translation>
    </message>
    <message>
        <source>Restart</source>
        <translation>თავიდან</translation>
    </message>
    <message>
        <source>Step back</source>
        <translation>ნაბიჯი უკან</translation>
    </message>
    <message>
        <source>Step forward</source>
        <translation>ნაბიჯი წინ</translation>
    </message>
    <message>
        <source>Speed</source>
        <translation>სიჩქარე</translation>
    </message>
    <message>
        <source>Loop</source>
        <translation>განმეორება</translation>
    </message>
    <message>
        <source>Glow</source>
        <translation>ნათება</translation>
    </message>
    <message>
        <source>Amber</source>
        <translation>ქარვისფერი</translation>
    </message>
    <message>
        <source>Editor&apos;s colour</source>
        <translation>რედაქტორის ფერი</translation>
    </message>
    <message>
        <source>LED colour</source>
        <translation>წერტილის ფერი</translation>
    </message>
    <message>
        <source>Lit LEDs in a real sign&apos;s amber or in the editor&apos;s lit colour</source>
        <translation>ანთებული წერტილები ნამდვილი ტაბლოს ქარვისფერში ან რედაქტორის ანთების ფერში</translation>
    </message>
    <message>
        <source> ms</source>
        <translation> ms</translation>
    </message>
    <message>
        <source>LED step time</source>
        <translation>წერტილის ნაბიჯის დრო</translation>
    </message>
    <message>
        <source>How long the board takes for one LED of a slide</source>
        <translation>რამდენ ხანს ანდომებს ტაბლო გადაადგილების ერთ წერტილს</translation>
    </message>
    <message>
        <source>Step</source>
        <translation>ნაბიჯი</translation>
    </message>
    <message>
        <source>%1 cannot be shown: %2</source>
        <translation>%1 ვერ ჩანს: %2</translation>
    </message>
    <message>
        <source>Not shown: </source>
        <translation>არ ჩანს: </translation>
    </message>
    <message>
        <source>Image %1</source>
        <translation>გამოსახულება %1</translation>
    </message>
    <message>
        <source>no frames</source>
        <translation>კადრები არ არის</translation>
    </message>
    <message>
        <source>frame %1 / %2 · %3 s of %4 s</source>
        <translation>კადრი %1 / %2 · %3 წმ / %4 წმ</translation>
    </message>
    <message>
        <source>No image</source>
        <translation>გამოსახულება არ არის</translation>
    </message>
    <message>
        <source>The send list is empty</source>
        <translation>გასაგზავნი სია ცარიელია</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>ჩვენება</translation>
    </message>
</context>
<context>
    <name>TAboutBox</name>
    <message>
        <source>About</source>
        <translation>პროგრამის შესახებ</translation>
    </message>
    <message>
        <source>Program picture</source>
        <translation>პროგრამის სურათი</translation>
    </message>
    <message>
        <source>Editor for LED route signs</source>
        <translation>მარშრუტის LED ტაბლოების რედაქტორი</translation>
    </message>
    <message>
        <source>Made by the Vexel Image team</source>
        <translation>შექმნილია Vexel Image-ის გუნდის მიერ</translation>
    </message>
    <message>
        <source>Free to use for any sign you build</source>
        <translation>თავისუფლად გამოიყენეთ ნებისმიერი ტაბლოსთვის</translation>
    </message>
    <message>
        <source>Settings: </source>
        <translation>პარამეტრები: </translation>
    </message>
    <message>
        <source>OK</source>
        <translation>კარგი</translation>
    </message>
    <message>
        <source>Version %1</source>
        <translation>ვერსია %1</translation>
    </message>
</context>
<context>
    <name>TForm1</name>
    <message>
        <source>File</source>
        <translation>ფაილი</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>რედაქტირება</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>დაბრუნება</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>გამეორება</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>ასლი</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>ჩასმა</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>პარამეტრები</translation>
    </message>
    <message>
        <source>About</source>
        <translation>პროგრამის შესახებ</translation>
    </message>
    <message>
        <source>Tools</source>
        <translation>ხელსაწყოები</translation>
    </message>
    <message>
        <source>Load</source>
        <translation>გახსნა</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>შენახვა</translation>
    </message>
    <message>
        <source>Progress</source>
        <translation>მიმდინარეობა</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>გასვლა</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>დახმარება</translation>
    </message>
    <message>
        <source>User Guide</source>
        <translation>სახელმძღვანელო</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>მდგომარეობა</translation>
    </message>
</context>
<context>
    <name>TForm2</name>
    <message>
        <source>System</source>
        <translation>სისტემური</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>ენა</translation>
    </message>
    <message>
        <source>Applies at the next start</source>
        <translation>ძალაში შევა შემდეგი გაშვებისას</translation>
    </message>
    <message>
        <source>The board is the %1 sign&apos;s, %2 x %3, while its image made by hand is open; the editor&apos;s own board, %4 x %5, comes back when another image is opened or made</source>
        <translation>სანამ ტაბლოს „%1“ ხელით შექმნილი გამოსახულებაა გახსნილი, ტაბლო მისია, %2 x %3; რედაქტორის საკუთარი ტაბლო, %4 x %5, დაბრუნდება სხვა გამოსახულების გახსნის ან შექმნისას</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>პარამეტრები</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>დახურვა</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>პორტი</translation>
    </message>
    <message>
        <source>Baud rate</source>
        <translation>სიჩქარე (ბოდი)</translation>
    </message>
    <message>
        <source>Timeout Msec</source>
        <translation>მოლოდინი, ms</translation>
    </message>
    <message>
        <source>Flash delay</source>
        <translation>ფლეშის დაყოვნება</translation>
    </message>
    <message>
        <source>ForeGround Color</source>
        <translation>წერტილის ფერი</translation>
    </message>
    <message>
        <source>BackGround Color</source>
        <translation>ფონის ფერი</translation>
    </message>
    <message>
        <source>Grid Color</source>
        <translation>ბადის ფერი</translation>
    </message>
    <message>
        <source>Board width</source>
        <translation>ტაბლოს სიგანე</translation>
    </message>
    <message>
        <source>Board height</source>
        <translation>ტაბლოს სიმაღლე</translation>
    </message>
    <message>
        <source>Draw Grid</source>
        <translation>ბადის ხატვა</translation>
    </message>
    <message>
        <source>Rounded leds</source>
        <translation>მრგვალი წერტილები</translation>
    </message>
    <message>
        <source>Frame bounds</source>
        <translation>კადრის საზღვრები</translation>
    </message>
    <message>
        <source>Journal</source>
        <translation>ჟურნალი</translation>
    </message>
    <message>
        <source>The journal file on this PC</source>
        <translation>ჟურნალის ფაილი ამ კომპიუტერზე</translation>
    </message>
    <message>
        <source>A journal shared on a server: postgresql://user@host/database</source>
        <translation>სერვერზე გაზიარებული ჟურნალი: postgresql://user@host/database</translation>
    </message>
    <message>
        <source>Station</source>
        <translation>სამუშაო ადგილი</translation>
    </message>
    <message>
        <source>The journal&apos;s address carries a password, which is never kept in the settings. Give it as %1 and put the password in ~/.pgpass, PGPASSWORD or a service file.</source>
        <translation>ჟურნალის მისამართი პაროლს შეიცავს, რომელიც პარამეტრებში არასოდეს ინახება. მიუთითეთ ასე: %1, ხოლო პაროლი ჩაწერეთ ~/.pgpass-ში, PGPASSWORD-ში ან სერვისის ფაილში.</translation>
    </message>
    <message>
        <source>. Leave the journal empty for the journal file on this PC.</source>
        <translation>. ამ კომპიუტერის ჟურნალის ფაილისთვის ველი ცარიელი დატოვეთ.</translation>
    </message>
</context>
<context>
    <name>TForm3</name>
    <message>
        <source>Test</source>
        <translation>ტესტი</translation>
    </message>
    <message>
        <source>Serial log</source>
        <translation>სერიული პორტის ჟურნალი</translation>
    </message>
</context>
<context>
    <name>TForm4</name>
    <message>
        <source>Help</source>
        <translation>დახმარება</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>კარგი</translation>
    </message>
    <message>
        <source>Alt+Mouse Left</source>
        <translation>Alt+მაუსის მარცხენა ღილაკი</translation>
    </message>
    <message>
        <source>Alt+Mouse Right</source>
        <translation>Alt+მაუსის მარჯვენა ღილაკი</translation>
    </message>
    <message>
        <source>Ctrl+Alt+Mouse Left</source>
        <translation>Ctrl+Alt+მაუსის მარცხენა ღილაკი</translation>
    </message>
    <message>
        <source>Ctrl+Alt+Mouse Right</source>
        <translation>Ctrl+Alt+მაუსის მარჯვენა ღილაკი</translation>
    </message>
    <message>
        <source>Shift+Mouse Left</source>
        <translation>Shift+მაუსის მარცხენა ღილაკი</translation>
    </message>
    <message>
        <source>Mouse Left</source>
        <translation>მაუსის მარცხენა ღილაკი</translation>
    </message>
</context>
<context>
    <name>TextCommands</name>
    <message>
        <source>Font Editor...</source>
        <translation>შრიფტის რედაქტორი...</translation>
    </message>
</context>
<context>
    <name>TextLimit</name>
    <message>
        <source>%1 is %2 characters long, at most %3</source>
        <translation>%1 %2 სიმბოლოსგან შედგება, მაქსიმუმ %3</translation>
    </message>
</context>
<context>
    <name>TextPanel</name>
    <message>
        <source>Text</source>
        <translation>ტექსტი</translation>
    </message>
    <message>
        <source>Text to letter; Enter starts a new line</source>
        <translation>დასაწერი ტექსტი; Enter იწყებს ახალ სტრიქონს</translation>
    </message>
    <message>
        <source>One text</source>
        <translation>ერთი ტექსტი</translation>
    </message>
    <message>
        <source>Number + destination</source>
        <translation>ნომერი + დანიშნულება</translation>
    </message>
    <message>
        <source>Two lines</source>
        <translation>ორი სტრიქონი</translation>
    </message>
    <message>
        <source>Part of the sign</source>
        <translation>ტაბლოს ნაწილი</translation>
    </message>
    <message>
        <source>&amp;Part:</source>
        <translation>&amp;ნაწილი:</translation>
    </message>
    <message>
        <source>Font</source>
        <translation>შრიფტი</translation>
    </message>
    <message>
        <source>&amp;Font:</source>
        <translation>&amp;შრიფტი:</translation>
    </message>
    <message>
        <source>Height in LEDs</source>
        <translation>სიმაღლე წერტილებში</translation>
    </message>
    <message>
        <source>&amp;Bold</source>
        <translation>&amp;მსხვილი</translation>
    </message>
    <message>
        <source>&amp;Height:</source>
        <translation>&amp;სიმაღლე:</translation>
    </message>
    <message>
        <source> LEDs</source>
        <translation> წერტ.</translation>
    </message>
    <message>
        <source>Letter spacing in LEDs</source>
        <translation>ასოთაშორისი მანძილი წერტილებში</translation>
    </message>
    <message>
        <source>L&amp;etter spacing:</source>
        <translation>ასოთაშორისი &amp;მანძილი:</translation>
    </message>
    <message>
        <source>Line spacing in LEDs</source>
        <translation>სტრიქონთაშორისი მანძილი წერტილებში</translation>
    </message>
    <message>
        <source>&amp;Line spacing:</source>
        <translation>სტრიქონთაშორისი მა&amp;ნძილი:</translation>
    </message>
    <message>
        <source>Left</source>
        <translation>მარცხნივ</translation>
    </message>
    <message>
        <source>Centre</source>
        <translation>ცენტრში</translation>
    </message>
    <message>
        <source>Right</source>
        <translation>მარჯვნივ</translation>
    </message>
    <message>
        <source>Horizontal alignment</source>
        <translation>ჰორიზონტალური სწორება</translation>
    </message>
    <message>
        <source>Top</source>
        <translation>ზემოთ</translation>
    </message>
    <message>
        <source>Middle</source>
        <translation>შუაში</translation>
    </message>
    <message>
        <source>Bottom</source>
        <translation>ქვემოთ</translation>
    </message>
    <message>
        <source>Vertical alignment</source>
        <translation>ვერტიკალური სწორება</translation>
    </message>
    <message>
        <source>&amp;Align:</source>
        <translation>&amp;სწორება:</translation>
    </message>
    <message>
        <source>Number font</source>
        <translation>ნომრის შრიფტი</translation>
    </message>
    <message>
        <source>The font of the route number; the text&apos;s font unless another is chosen</source>
        <translation>მარშრუტის ნომრის შრიფტი; ტექსტის შრიფტი, თუ სხვა არ არის არჩეული</translation>
    </message>
    <message>
        <source>&amp;Number font:</source>
        <translation>&amp;ნომრის შრიფტი:</translation>
    </message>
    <message>
        <source>&amp;Target:</source>
        <translation>&amp;სამიზნე:</translation>
    </message>
    <message>
        <source>F&amp;it</source>
        <translation>&amp;მორგება</translation>
    </message>
    <message>
        <source>The largest height of this font at which the text fits its area; a line that fits no height goes on two, broken at a space or else after a hyphen</source>
        <translation>ამ შრიფტის უდიდესი სიმაღლე, რომლითაც ტექსტი თავის არეში ეტევა; სტრიქონი, რომელიც არცერთი სიმაღლით არ ეტევა, ორად იყოფა ჰარზე, ან დეფისის შემდეგ</translation>
    </message>
    <message>
        <source>Fit result</source>
        <translation>მორგების შედეგი</translation>
    </message>
    <message>
        <source>Fitting step</source>
        <translation>მორგების ნაბიჯი</translation>
    </message>
    <message>
        <source>Fitting tries the face at its height, then the condensed face of that height, then the next height down; then two lines, then a break after a hyphen</source>
        <translation>მორგება ცდის შრიფტს მისი სიმაღლით, შემდეგ იმავე სიმაღლის შევიწროებულს, შემდეგ მომდევნო ნაკლებ სიმაღლეს; შემდეგ ორ სტრიქონს, შემდეგ დეფისის შემდეგ გაყოფას</translation>
    </message>
    <message>
        <source>Missing characters</source>
        <translation>გამოტოვებული სიმბოლოები</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>მდგომარეობა</translation>
    </message>
    <message>
        <source>&amp;Clear target</source>
        <translation>სამიზნის &amp;გასუფთავება</translation>
    </message>
    <message>
        <source>Unlit every LED of the target before the text is written</source>
        <translation>სამიზნის ყველა წერტილის ჩაქრობა ტექსტის დაწერამდე</translation>
    </message>
    <message>
        <source>&amp;Place</source>
        <translation>&amp;განთავსება</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>გაუქმება</translation>
    </message>
    <message>
        <source> (LED font)</source>
        <translation> (LED შრიფტი)</translation>
    </message>
    <message>
        <source> (bitmap)</source>
        <translation> (რასტრული)</translation>
    </message>
    <message>
        <source>As the text</source>
        <translation>როგორც ტექსტი</translation>
    </message>
    <message>
        <source>Font files that could not be read:
</source>
        <translation>შრიფტის ფაილები, რომლებიც ვერ წაიკითხა:
</translation>
    </message>
    <message>
        <source>%1 (%2 x %3)</source>
        <translation>%1 (%2 x %3)</translation>
    </message>
    <message>
        <source>%1 condensed</source>
        <translation>%1 შევიწროებული</translation>
    </message>
    <message>
        <source>Fitting step: %1</source>
        <translation>მორგების ნაბიჯი: %1</translation>
    </message>
    <message>
        <source>Route number</source>
        <translation>მარშრუტის ნომერი</translation>
    </message>
    <message>
        <source>Destination</source>
        <translation>დანიშნულება</translation>
    </message>
    <message>
        <source>Upper line</source>
        <translation>ზედა სტრიქონი</translation>
    </message>
    <message>
        <source>Lower line</source>
        <translation>ქვედა სტრიქონი</translation>
    </message>
    <message>
        <source>Line</source>
        <translation>სტრიქონი</translation>
    </message>
    <message>
        <source>Not in this font (shown as boxes): %1</source>
        <translation>ამ შრიფტში არ არის (ჩანს უჯრებად): %1</translation>
    </message>
    <message>
        <source>No font is installed.</source>
        <translation>შრიფტი არ არის დაყენებული.</translation>
    </message>
    <message>
        <source>The text reaches past the target.</source>
        <translation>ტექსტი სამიზნეს სცდება.</translation>
    </message>
</context>
<context>
    <name>TypingDelegate</name>
    <message>
        <source>%1 of %2</source>
        <translation>%1 / %2</translation>
    </message>
</context>
<context>
    <name>VehicleSign</name>
    <message>
        <source>the layout is not a JSON object in braces</source>
        <translation>განლაგება ფიგურულ ფრჩხილებში ჩასმული JSON ობიექტი არ არის</translation>
    </message>
    <message>
        <source>the layout&apos;s board is not the sign&apos;s size, %1 x %2</source>
        <translation>განლაგების ტაბლო ტაბლოს ზომის, %1 x %2, არ არის</translation>
    </message>
    <message>
        <source>board: must be an object in braces</source>
        <translation>board: უნდა იყოს ფიგურულ ფრჩხილებში ჩასმული ობიექტი</translation>
    </message>
    <message>
        <source>sign %1: %2 x %3 is not a board size (1 x 1 to %4 x %5)</source>
        <translation>ტაბლო %1: %2 x %3 ტაბლოს ზომა არ არის (1 x 1-დან %4 x %5-მდე)</translation>
    </message>
    <message>
        <source>sign %1: a pitch of %2 mm is not one an LED sign has (0 to %3)</source>
        <translation>ტაბლო %1: წერტილებს შორის %2 მმ LED ტაბლოსთვის შეუძლებელია (0-დან %3-მდე)</translation>
    </message>
    <message>
        <source>sign %1: the place &quot;%2&quot; is not one of %3</source>
        <translation>ტაბლო %1: ადგილი „%2“ არ არის ამათგან: %3</translation>
    </message>
    <message>
        <source>sign %1: %2</source>
        <translation>ტაბლო %1: %2</translation>
    </message>
</context>
<context>
    <name>VersionTable</name>
    <message>
        <source>its stored text is damaged: it does not match its checksum</source>
        <translation>მისი შენახული ტექსტი დაზიანებულია: საკონტროლო ჯამს არ ემთხვევა</translation>
    </message>
    <message>
        <source>an image text is damaged</source>
        <translation>გამოსახულების ტექსტი დაზიანებულია</translation>
    </message>
    <message>
        <source>an image text is larger than an image file may be</source>
        <translation>გამოსახულების ტექსტი გამოსახულების ფაილის დასაშვებ ზომაზე დიდია</translation>
    </message>
    <message>
        <source>the version numbers are damaged</source>
        <translation>ვერსიების ნომრები დაზიანებულია</translation>
    </message>
    <message>
        <source>destination %1: </source>
        <translation>დანიშნულება %1: </translation>
    </message>
    <message>
        <source>the override of %1 on %2: </source>
        <translation>%1-ის ხელით შექმნილი გამოსახულება ტაბლოზე %2: </translation>
    </message>
    <message>
        <source>finding %1: </source>
        <translation>შენიშვნა %1: </translation>
    </message>
    <message>
        <source>the image of %1 on %2: </source>
        <translation>%1-ის გამოსახულება ტაბლოზე %2: </translation>
    </message>
    <message>
        <source>a version number is damaged</source>
        <translation>ვერსიის ნომერი დაზიანებულია</translation>
    </message>
    <message>
        <source>version %1: </source>
        <translation>ვერსია %1: </translation>
    </message>
    <message>
        <source>its time is not a time</source>
        <translation>მისი დრო დრო არ არის</translation>
    </message>
    <message>
        <source>its counts are damaged</source>
        <translation>მისი რაოდენობები დაზიანებულია</translation>
    </message>
    <message>
        <source>a yes-or-no column of destination %1 holds something else</source>
        <translation>დანიშნულების %1 „კი ან არა“ სვეტში სხვა რამ წერია</translation>
    </message>
    <message>
        <source>the code %1 is there twice</source>
        <translation>კოდი %1 ორჯერ არის</translation>
    </message>
    <message>
        <source>the image of %1 on %2 in version %3: %4</source>
        <translation>%1-ის გამოსახულება ტაბლოზე %2 ვერსიაში %3: %4</translation>
    </message>
    <message>
        <source>a stored image: </source>
        <translation>შენახული გამოსახულება: </translation>
    </message>
</context>
<context>
    <name>VersionsSession</name>
    <message>
        <source>no image changed between the two versions</source>
        <translation>ორ ვერსიას შორის არც ერთი გამოსახულება არ შეცვლილა</translation>
    </message>
    <message>
        <source>(feed %1)</source>
        <translation>(GTFS მონაცემები %1)</translation>
    </message>
    <message>
        <source>%1 destinations, +%2 ~%3 -%4</source>
        <translation>%1 დანიშნულება, +%2 ~%3 -%4</translation>
    </message>
    <message>
        <source>added</source>
        <translation>დამატებულია</translation>
    </message>
    <message>
        <source>removed</source>
        <translation>წაშლილია</translation>
    </message>
    <message>
        <source>image on %1</source>
        <translation>ტაბლოს გამოსახულება: %1</translation>
    </message>
    <message>
        <source>%1: changes from version %2 to %3</source>
        <translation>%1: ცვლილებები ვერსია %2-დან %3-მდე</translation>
    </message>
</context>
<context>
    <name>VersionsWindow</name>
    <message>
        <source>Versions of %1</source>
        <translation>%1-ის ვერსიები</translation>
    </message>
    <message>
        <source>Versions</source>
        <translation>ვერსიები</translation>
    </message>
    <message>
        <source>Compare from version</source>
        <translation>შედარება ვერსიიდან</translation>
    </message>
    <message>
        <source>Compare with version</source>
        <translation>შედარება ვერსიასთან</translation>
    </message>
    <message>
        <source>All frames</source>
        <translation>ყველა კადრი</translation>
    </message>
    <message>
        <source>Comparison</source>
        <translation>შედარება</translation>
    </message>
    <message>
        <source>Changed destinations</source>
        <translation>შეცვლილი დანიშნულებები</translation>
    </message>
    <message>
        <source>Proof sheet…</source>
        <translation>საკონტროლო ფურცელი…</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>აღდგენა</translation>
    </message>
    <message>
        <source>Release again…</source>
        <translation>ხელახლა გამოშვება…</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>დახურვა</translation>
    </message>
    <message>
        <source>Compare</source>
        <translation>შედარება</translation>
    </message>
    <message>
        <source>with</source>
        <translation>და</translation>
    </message>
    <message>
        <source>The set keeps no versions yet: each release adds one.</source>
        <translation>ნაკრებს ჯერ ვერსიები არ აქვს: ყოველი გამოშვება ერთს ამატებს.</translation>
    </message>
    <message>
        <source>Bring back version %1&apos;s texts and hand-made images</source>
        <translation>ვერსია %1-ის ტექსტებისა და ხელით შექმნილი გამოსახულებების დაბრუნება</translation>
    </message>
    <message>
        <source>Write version %1&apos;s files again as they were</source>
        <translation>ვერსია %1-ის ფაილების ხელახლა ჩაწერა, როგორც იყო</translation>
    </message>
    <message>
        <source>Code</source>
        <translation>კოდი</translation>
    </message>
    <message>
        <source>Change</source>
        <translation>ცვლილება</translation>
    </message>
    <message>
        <source>Destination</source>
        <translation>დანიშნულება</translation>
    </message>
    <message>
        <source>Versions %1 and %2 are the same.</source>
        <translation>ვერსიები %1 და %2 ერთნაირია.</translation>
    </message>
    <message>
        <source>From version %1 to %2: %3 added, %4 changed, %5 removed.</source>
        <translation>ვერსია %1-დან %2-მდე: დაემატა %3, შეიცვალა %4, წაიშალა %5.</translation>
    </message>
    <message>
        <source>%1 on %2, version %3 and %4</source>
        <translation>%1 — %2, ვერსიები %3 და %4</translation>
    </message>
    <message>
        <source>every frame</source>
        <translation>ყველა კადრი</translation>
    </message>
    <message>
        <source>frame %1</source>
        <translation>კადრი %1</translation>
    </message>
    <message>
        <source>PNG picture|*.png</source>
        <translation>PNG სურათი|*.png</translation>
    </message>
    <message>
        <source>Cannot write the proof sheet: %1</source>
        <translation>საკონტროლო ფურცელი ვერ ჩაიწერა: %1</translation>
    </message>
    <message>
        <source>Proof sheet written:
%1</source>
        <translation>საკონტროლო ფურცელი ჩაიწერა:
%1</translation>
    </message>
    <message>
        <source>Restore the texts and hand-made images of version %1? Destinations version %1 did not have stay in the set, out of use; every version is kept.</source>
        <translation>აღვადგინოთ ვერსია %1-ის ტექსტები და ხელით შექმნილი გამოსახულებები? დანიშნულებები, რომლებიც ვერსია %1-ში არ იყო, ნაკრებში დარჩება გამოუყენებლად; ყველა ვერსია ინახება.</translation>
    </message>
    <message>
        <source>Version %1 restored. Release the set to make it a new version.</source>
        <translation>ვერსია %1 აღდგა. ახალ ვერსიად რომ იქცეს, გამოუშვით ნაკრები.</translation>
    </message>
    <message>
        <source>Release|release.txt</source>
        <translation>გამოშვება|release.txt</translation>
    </message>
    <message>
        <source>Cannot release version %1 again: %2</source>
        <translation>ვერსია %1 ხელახლა ვერ გამოვიდა: %2</translation>
    </message>
    <message>
        <source>Version %1 written again to %2: %3 files.</source>
        <translation>ვერსია %1 ხელახლა ჩაიწერა %2-ში: %3 ფაილი.</translation>
    </message>
</context>
<context>
    <name>VisitSheet</name>
    <message>
        <source>Bus %1</source>
        <translation>ავტობუსი %1</translation>
    </message>
    <message>
        <source>Bus %1, continued</source>
        <translation>ავტობუსი %1, გაგრძელება</translation>
    </message>
    <message>
        <source>cannot be sent as one message: %1</source>
        <translation>ერთ შეტყობინებად ვერ გაიგზავნება: %1</translation>
    </message>
    <message>
        <source>Visit list: depot %1, %2 version %3, %4</source>
        <translation>შემოვლის სია: დეპო %1, %2, ვერსია %3, %4</translation>
    </message>
    <message>
        <source>Visit list: depot %1, %2, %3</source>
        <translation>შემოვლის სია: დეპო %1, %2, %3</translation>
    </message>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>%1 ვერ ჩაიწერა: %2</translation>
    </message>
    <message>
        <source>Cannot draw the visit list.</source>
        <translation>შემოვლის სიის დახატვა ვერ მოხერხდა.</translation>
    </message>
    <message>
        <source>Release folder: %1</source>
        <translation>გამოშვების საქაღალდე: %1</translation>
    </message>
    <message>
        <source>No bus of the depot is behind on this release.</source>
        <translation>დეპოს არცერთი ავტობუსი ამ გამოშვებას არ ჩამორჩება.</translation>
    </message>
</context>
<context>
    <name>WordListsDialog</name>
    <message>
        <source>Word lists</source>
        <translation>სიტყვების სიები</translation>
    </message>
    <message>
        <source>Read-only: %1</source>
        <translation>მხოლოდ წასაკითხად: %1</translation>
    </message>
    <message>
        <source>Word</source>
        <translation>სიტყვა</translation>
    </message>
    <message>
        <source>Short form</source>
        <translation>შემოკლება</translation>
    </message>
    <message>
        <source>Separator</source>
        <translation>გამყოფი</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>დამატება</translation>
    </message>
    <message>
        <source>Add to the %1</source>
        <translation>დამატება: %1</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>წაშლა</translation>
    </message>
    <message>
        <source>Remove the selected %1</source>
        <translation>არჩეულის წაშლა: %1</translation>
    </message>
    <message>
        <source>Import abbreviations...</source>
        <translation>შემოკლებების იმპორტი...</translation>
    </message>
    <message>
        <source>Import the abbreviations from CSV</source>
        <translation>შემოკლებების იმპორტი CSV-დან</translation>
    </message>
    <message>
        <source>Export abbreviations...</source>
        <translation>შემოკლებების ექსპორტი...</translation>
    </message>
    <message>
        <source>Export the abbreviations as CSV</source>
        <translation>შემოკლებების ექსპორტი CSV-ად</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>შენახვა</translation>
    </message>
    <message>
        <source>Save the word lists to the set</source>
        <translation>სიტყვების სიების შენახვა ნაკრებში</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>გაუქმება</translation>
    </message>
    <message>
        <source>Close without saving</source>
        <translation>დახურვა შენახვის გარეშე</translation>
    </message>
    <message>
        <source>The word lists are not saved: %1</source>
        <translation>სიტყვების სიები არ შეინახა: %1</translation>
    </message>
    <message>
        <source>Abbreviations|*.csv</source>
        <translation>შემოკლებები|*.csv</translation>
    </message>
    <message>
        <source>Latin abbreviations</source>
        <translation>ლათინური შემოკლებები</translation>
    </message>
    <message>
        <source>Used only where a Latin text would not fit otherwise, longest words first.</source>
        <translation>გამოიყენება მხოლოდ იქ, სადაც ლათინური ტექსტი სხვაგვარად არ ეტევა; ჯერ ყველაზე გრძელი სიტყვები.</translation>
    </message>
    <message>
        <source>Georgian abbreviations</source>
        <translation>ქართული შემოკლებები</translation>
    </message>
    <message>
        <source>Used only where a Georgian text would not fit otherwise, longest words first.</source>
        <translation>გამოიყენება მხოლოდ იქ, სადაც ქართული ტექსტი სხვაგვარად არ ეტევა; ჯერ ყველაზე გრძელი სიტყვები.</translation>
    </message>
    <message>
        <source>Kept in capitals</source>
        <translation>მთავრული ასოებით დატოვებული</translation>
    </message>
    <message>
        <source>Words a Latin text in capitals keeps in capitals when it is put in title case (SBS, JFK).</source>
        <translation>სიტყვები, რომლებიც მთავრულით დაწერილ ლათინურ ტექსტში მთავრულად რჩება, როცა ტექსტი სათაურის რეგისტრში გადადის (SBS, JFK).</translation>
    </message>
    <message>
        <source>Via separators</source>
        <translation>„გავლით“ გამყოფები</translation>
    </message>
    <message>
        <source>An imported headsign &quot;X via Y&quot; is split at these into the destination and its via, in any letter case. A separator typed here is matched with a space each side.</source>
        <translation>იმპორტირებული მიმართულების წარწერა „X via Y“ ამ გამყოფებთან იყოფა დანიშნულებად და მის „გავლით“ ნაწილად, ასოთა რეგისტრის მიუხედავად. აქ აკრეფილი გამყოფი მოიძებნება ორივე მხარეს ჰარით.</translation>
    </message>
    <message>
        <source>Service words</source>
        <translation>მომსახურების სიტყვები</translation>
    </message>
    <message>
        <source>Words</source>
        <translation>სიტყვები</translation>
    </message>
    <message>
        <source>Words at the start of an imported headsign that say what kind of service runs it (Select Bus, Limited, +). They are split off into the destination&apos;s service, in any letter case.</source>
        <translation>სიტყვები იმპორტირებული მიმართულების წარწერის დასაწყისში, რომლებიც ამბობენ, რა სახის მომსახურებაა. ისინი გამოიყოფა დანიშნულების მომსახურებაში, ნებისმიერი რეგისტრით.</translation>
    </message>
    <message>
        <source>Kept together</source>
        <translation>ერთად დარჩენილი</translation>
    </message>
    <message>
        <source>Phrase</source>
        <translation>ფრაზა</translation>
    </message>
    <message>
        <source>Phrases a line or page break of the lettering must not split (Penn Station). An import adds the feed&apos;s two-word stop names its headsigns name.</source>
        <translation>ფრაზები, რომლებსაც წარწერის სტრიქონის ან გვერდის გადატანა არ უნდა ყოფდეს. იმპორტი ამატებს GTFS მონაცემების ორსიტყვიან გაჩერებების სახელებს, რომლებსაც მისი მიმართულების წარწერები ასახელებს.</translation>
    </message>
    <message>
        <source>The word a via frame of Latin text starts with: &quot;via W Frms Rd&quot;</source>
        <translation>სიტყვა, რომლითაც ლათინური ტექსტის „გავლით“ კადრი იწყება: &quot;via W Frms Rd&quot;</translation>
    </message>
    <message>
        <source>The word a via frame of Georgian text starts with</source>
        <translation>სიტყვა, რომლითაც ქართული ტექსტის „გავლით“ კადრი იწყება</translation>
    </message>
    <message>
        <source>Via word, Latin</source>
        <translation>„გავლით“ სიტყვა, ლათინური</translation>
    </message>
    <message>
        <source>Via word, Georgian</source>
        <translation>„გავლით“ სიტყვა, ქართული</translation>
    </message>
    <message>
        <source>Via word, Latin:</source>
        <translation>„გავლით“ სიტყვა, ლათინური:</translation>
    </message>
    <message>
        <source>Via word, Georgian:</source>
        <translation>„გავლით“ სიტყვა, ქართული:</translation>
    </message>
</context>
<context>
    <name>WordTable</name>
    <message>
        <source>a word kept in capitals must be 1 to %1 characters</source>
        <translation>მთავრული ასოებით დატოვებული სიტყვა 1-დან %1-მდე სიმბოლო უნდა იყოს</translation>
    </message>
    <message>
        <source>a word kept in capitals of spaces only would match every text</source>
        <translation>მხოლოდ ჰარებისგან შემდგარი მთავრული ასოებით დატოვებული სიტყვა ყველა ტექსტს დაემთხვეოდა</translation>
    </message>
    <message>
        <source>the word kept in capitals &quot;%1&quot; is there twice</source>
        <translation>მთავრული ასოებით დატოვებული სიტყვა „%1“ ორჯერ არის</translation>
    </message>
    <message>
        <source>a via separator must be 1 to %1 characters</source>
        <translation>„გავლით“ გამყოფი 1-დან %1-მდე სიმბოლო უნდა იყოს</translation>
    </message>
    <message>
        <source>a via separator of spaces only would match every text</source>
        <translation>მხოლოდ ჰარებისგან შემდგარი „გავლით“ გამყოფი ყველა ტექსტს დაემთხვეოდა</translation>
    </message>
    <message>
        <source>the via separator &quot;%1&quot; is there twice</source>
        <translation>„გავლით“ გამყოფი „%1“ ორჯერ არის</translation>
    </message>
    <message>
        <source>a service word must be 1 to %1 characters</source>
        <translation>მომსახურების სიტყვა 1-დან %1-მდე სიმბოლო უნდა იყოს</translation>
    </message>
    <message>
        <source>a service word of spaces only would match every text</source>
        <translation>მხოლოდ ჰარებისგან შემდგარი მომსახურების სიტყვა ყველა ტექსტს დაემთხვეოდა</translation>
    </message>
    <message>
        <source>the service word &quot;%1&quot; is there twice</source>
        <translation>მომსახურების სიტყვა „%1“ ორჯერ არის</translation>
    </message>
    <message>
        <source>a phrase kept together must be 1 to %1 characters</source>
        <translation>ერთად დარჩენილი ფრაზა 1-დან %1-მდე სიმბოლო უნდა იყოს</translation>
    </message>
    <message>
        <source>a phrase kept together of spaces only would match every text</source>
        <translation>მხოლოდ ჰარებისგან შემდგარი ერთად დარჩენილი ფრაზა ყველა ტექსტს დაემთხვეოდა</translation>
    </message>
    <message>
        <source>the phrase kept together &quot;%1&quot; is there twice</source>
        <translation>ერთად დარჩენილი ფრაზა „%1“ ორჯერ არის</translation>
    </message>
    <message>
        <source>the word lists hold more than %1 entries</source>
        <translation>სიტყვების სიებში %1-ზე მეტი ჩანაწერია</translation>
    </message>
    <message>
        <source>the abbreviation of &quot;%1&quot; is for the script &quot;%2&quot;, not ka or en</source>
        <translation>„%1“-ის შემოკლება დამწერლობისთვისაა „%2“ და არა ka ან en</translation>
    </message>
    <message>
        <source>an abbreviation needs a word and its short form, each 1 to %1 characters</source>
        <translation>შემოკლებას სჭირდება სიტყვა და მისი მოკლე ფორმა, თითოეული 1-დან %1-მდე სიმბოლო</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is abbreviated twice</source>
        <translation>„%1“ ორჯერ არის შემოკლებული</translation>
    </message>
    <message>
        <source>a via word must be 1 to %1 characters</source>
        <translation>„გავლით“ სიტყვა 1-დან %1 სიმბოლომდე უნდა იყოს</translation>
    </message>
    <message>
        <source>a via word of spaces only shows nothing</source>
        <translation>მხოლოდ ჰარეებისგან შემდგარი „გავლით“ სიტყვა არაფერს აჩვენებს</translation>
    </message>
    <message>
        <source>the suffix of other headsigns&apos; codes must be 1 to %1 characters</source>
        <translation>სხვა წარწერების კოდების დაბოლოება 1-დან %1 სიმბოლომდე უნდა იყოს</translation>
    </message>
    <message>
        <source>the suffix of other headsigns&apos; codes may place their number only once</source>
        <translation>სხვა წარწერების კოდების დაბოლოებაში ნომერი მხოლოდ ერთხელ შეიძლება იყოს</translation>
    </message>
    <message>
        <source>the suffix &quot;%1&quot; would make codes that cannot name a file (&quot;%2&quot;)</source>
        <translation>დაბოლოება „%1“ ისეთ კოდებს შექმნიდა, რომლებიც ფაილს ვერ დაარქმევს („%2“)</translation>
    </message>
</context>
<context>
    <name>ZipArchive</name>
    <message>
        <source>Cannot read the zip &quot;%1&quot;: %2</source>
        <translation>zip-ფაილი „%1“ ვერ იკითხება: %2</translation>
    </message>
    <message>
        <source>%1 decompresses to more than %2 MiB; it is not read</source>
        <translation>%1 გაშლისას %2 MiB-ს აღემატება; ის არ იკითხება</translation>
    </message>
    <message>
        <source>%1 decompresses to more than %2 bytes; it is not read</source>
        <translation>%1 გაშლისას %2 ბაიტს აღემატება; ის არ იკითხება</translation>
    </message>
    <message>
        <source>Multi-disk zip archives not supported</source>
        <translation>რამდენიმე დისკზე გაყოფილი zip-არქივები არ არის მხარდაჭერილი</translation>
    </message>
    <message>
        <source>Seek error</source>
        <translation>ფაილში გადასვლის შეცდომა</translation>
    </message>
    <message>
        <source>Read error</source>
        <translation>წაკითხვის შეცდომა</translation>
    </message>
    <message>
        <source>CRC error</source>
        <translation>საკონტროლო ჯამი არ ემთხვევა</translation>
    </message>
    <message>
        <source>No such file</source>
        <translation>ასეთი ფაილი არ არსებობს</translation>
    </message>
    <message>
        <source>Can&apos;t open file</source>
        <translation>ფაილი ვერ იხსნება</translation>
    </message>
    <message>
        <source>Zlib error</source>
        <translation>შეკუმშული მონაცემების გაშლის შეცდომა</translation>
    </message>
    <message>
        <source>Malloc failure</source>
        <translation>მეხსიერება არ კმარა</translation>
    </message>
    <message>
        <source>Compression method not supported</source>
        <translation>შეკუმშვის მეთოდი არ არის მხარდაჭერილი</translation>
    </message>
    <message>
        <source>Premature end of file</source>
        <translation>ფაილი ნაადრევად მთავრდება</translation>
    </message>
    <message>
        <source>Invalid argument</source>
        <translation>არასწორი არგუმენტი</translation>
    </message>
    <message>
        <source>Not a zip archive</source>
        <translation>ეს zip-არქივი არ არის</translation>
    </message>
    <message>
        <source>Internal error</source>
        <translation>შიდა შეცდომა</translation>
    </message>
    <message>
        <source>Zip archive inconsistent</source>
        <translation>zip-არქივი შეუსაბამოა</translation>
    </message>
    <message>
        <source>Encryption method not supported</source>
        <translation>დაშიფვრის მეთოდი არ არის მხარდაჭერილი</translation>
    </message>
    <message>
        <source>No password provided</source>
        <translation>პაროლი არ არის მითითებული</translation>
    </message>
    <message>
        <source>Wrong password provided</source>
        <translation>მითითებული პაროლი არასწორია</translation>
    </message>
    <message>
        <source>Operation not supported</source>
        <translation>მოქმედება არ არის მხარდაჭერილი</translation>
    </message>
    <message>
        <source>Tell error</source>
        <translation>ფაილში მდებარეობის დადგენის შეცდომა</translation>
    </message>
    <message>
        <source>Compressed data invalid</source>
        <translation>შეკუმშული მონაცემები დაზიანებულია</translation>
    </message>
    <message>
        <source>%1 cannot be decompressed: %2</source>
        <translation>%1 ვერ იშლება: %2</translation>
    </message>
    <message>
        <source>%1 decompresses to more than %2 times its compressed size (a zip bomb); it is not read</source>
        <translation>%1 გაშლისას შეკუმშულ ზომას %2-ჯერ აღემატება (zip-ბომბი); ის არ იკითხება</translation>
    </message>
    <message>
        <source>member %1 cannot be read: %2</source>
        <translation>ელემენტი %1 ვერ იკითხება: %2</translation>
    </message>
    <message>
        <source>the member name &quot;%1&quot; points outside the archive&apos;s folder</source>
        <translation>ელემენტის სახელი „%1“ არქივის საქაღალდის გარეთ მიუთითებს</translation>
    </message>
    <message>
        <source>it holds two members named &quot;%1&quot;</source>
        <translation>მასში ორი ელემენტია სახელით „%1“</translation>
    </message>
    <message>
        <source>&quot;%1&quot; in &quot;%2&quot;</source>
        <translation>„%1“ „%2“-ში</translation>
    </message>
    <message>
        <source>%1 cannot be opened: %2</source>
        <translation>%1 ვერ იხსნება: %2</translation>
    </message>
</context>
</TS>
