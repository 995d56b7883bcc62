<%@ Page Language="VB"%>
<%@ Register Src="~/menu/qmenu_sm.ascx" TagName="qmenu_sm" TagPrefix="qwk" %>
<!DOCTYPE HTML PUBLIC "-//W3C//DTD HTML 4.01 Transitional//EN" "http://www.w3.org/TR/html4/loose.dtd">
<html xmlns="http://www.w3.org/1999/xhtml">
<head id="Head1" runat="server">
   <title>/menu/qmenu.js Sitemap</title>
   <link rel="stylesheet" type="text/css" href="/qmenu.css">
</head>
<body>
<script type ="text/javascript">var shown=1;</script>
   <p><qwk:qmenu_sm ID="qmenu_sm1" runat="server" /></p>
</BODY>
</HTML>
